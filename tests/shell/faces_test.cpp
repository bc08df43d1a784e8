// The category faces rule on a stand-in window with the three kinds of
// buttons (preview, category, page), each slot with one of each.
#include <QDir>
#include <QImage>
#include <memory>
#include <stdexcept>

#include "platform/files/paths.h"
#include "shell/categoryfaces.h"
#include "shell/frmInfor.h"
#include "shell/placement.h"
#include "tests/shell/shell_fixture.h"

namespace {

using shell::FaceKind;

class frmFaces : public forms::Form {
 public:
  frmFaces() : Form("frmFaces") {
    for (int slot = 0; slot < shell::kCategorySlots; ++slot) {
      preview.push_back(std::make_unique<forms::CommandButton>(this, "cmdPreview", slot));
      category.push_back(std::make_unique<forms::CommandButton>(this, "cmdCategory", slot));
      page.push_back(std::make_unique<forms::CommandButton>(this, "command", slot));
    }
    datMain.setConnect("Access 2000;");
    datMain.setRecordSource("tbSetMain");
  }
  std::vector<std::unique_ptr<forms::CommandButton>> preview, category, page;
  forms::Data datMain{this, "datMain"};

  forms::CommandButton& button(FaceKind kind, int slot) {
    return *(kind == FaceKind::Preview ? preview : kind == FaceKind::Category ? category : page)[slot];
  }
  void run(std::function<QString()> mode) {
    shell::FaceSlots faces;
    for (int slot = 0; slot < shell::kCategorySlots; ++slot)
      faces[slot] = {{preview[slot].get(), FaceKind::Preview},
                     {category[slot].get(), FaceKind::Category},
                     {page[slot].get(), FaceKind::Page}};
    shell::SetCategoryFaces(faces, std::move(mode), datMain);
  }

 protected:
  void Form_Load() override {
    datMain.setDatabaseName(shell::kInstallFolder + "BakHS.mdb");
    datMain.Refresh();
  }
};

constexpr FaceKind kKinds[] = {FaceKind::Preview, FaceKind::Category, FaceKind::Page};

class CategoryFaces : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    const QString pics = installFile("Pics/");
    ASSERT_TRUE(QDir().mkpath(pics));
    for (int slot = 0; slot < shell::kCategorySlots; ++slot)
      picture(pics + QStringLiteral("slot%1.png").arg(slot));
    picture(pics + "item.png");
    picture(pics + "icon.png");
  }
  static void picture(const QString& path) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    ASSERT_TRUE(image.save(path));
  }
  static QString slotPath(int slot) {
    return QStringLiteral("C:\\Program Files\\Dovrel POS 4\\Pics\\slot%1.png").arg(slot);
  }
  void setPaths() {
    for (int slot = 0; slot < shell::kCategorySlots; ++slot)
      run(installFile("BakHS.mdb"), QStringLiteral("UPDATE tbSetMain SET p%1 = ?").arg(slot),
          {slotPath(slot)});
  }
  // What an earlier run or an item page left on every button.
  void stale(frmFaces& w) {
    for (int slot = 0; slot < shell::kCategorySlots; ++slot) {
      for (FaceKind kind : kKinds) {
        w.button(kind, slot).setPicture(installFile("Pics/item.png"));
        w.button(kind, slot).setCaption("stale");
      }
    }
  }
  static std::function<QString()> mode(const QString& text) {
    return [text] { return text; };
  }
};

TEST_F(CategoryFaces, OnlyExactly2CustomIsCaptionMode) {
  setPaths();
  const struct {
    QString mode;
    bool captions;
  } cases[] = {
      {"2.Custom", true}, {"2.custom", false}, {"2.Custom ", false}, {"", false}, {"1.Default", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode.toStdString());
    forms::Instance<frmFaces> w;
    stale(*w);
    w->run(mode(c.mode));
    for (int slot : {0, 9, 11}) {
      const QString caption = shell::Infor().txtm(slot).Text();
      const QString picture = slotPath(slot);
      const QString item = installFile("Pics/item.png");
      if (c.captions) {
        EXPECT_EQ(w->button(FaceKind::Preview, slot).Caption(), caption);
        EXPECT_EQ(w->button(FaceKind::Preview, slot).Picture(), "");
        EXPECT_EQ(w->button(FaceKind::Category, slot).Caption(), caption);
        EXPECT_EQ(w->button(FaceKind::Category, slot).Picture(), item);  // its own icon stays
        EXPECT_EQ(w->button(FaceKind::Page, slot).Caption(), caption);
        EXPECT_EQ(w->button(FaceKind::Page, slot).Picture(), "");
      } else {
        EXPECT_EQ(w->button(FaceKind::Preview, slot).Caption(), "");
        EXPECT_EQ(w->button(FaceKind::Preview, slot).Picture(), picture);
        EXPECT_EQ(w->button(FaceKind::Category, slot).Caption(), "stale");  // its caption stays
        EXPECT_EQ(w->button(FaceKind::Category, slot).Picture(), picture);
        EXPECT_EQ(w->button(FaceKind::Page, slot).Caption(), "");
        EXPECT_EQ(w->button(FaceKind::Page, slot).Picture(), picture);
      }
    }
  }
  // Slot 9 is the soup buttons and slot 11 the lamb buttons.
  EXPECT_EQ(shell::Infor().txtm(9).Text(), "Waxing");
  EXPECT_EQ(shell::Infor().txtm(11).Text(), "Bridal");
}

TEST_F(CategoryFaces, ACaptionTypedAndNotSavedShowsAtTheNextRun) {
  forms::Instance<frmFaces> w;
  w->run(mode("2.Custom"));
  EXPECT_EQ(w->button(FaceKind::Page, 3).Caption(), "Perm");
  shell::Infor().txtm3.setText("Body Wave");
  EXPECT_EQ(w->button(FaceKind::Page, 3).Caption(), "Perm");
  w->run([] { return shell::settingsMenuMode(); });
  EXPECT_EQ(w->button(FaceKind::Page, 3).Caption(), "Body Wave");
  EXPECT_EQ(w->button(FaceKind::Category, 3).Caption(), "Body Wave");
  EXPECT_EQ(value(installFile("BakHS.mdb"), "SELECT t3 FROM tbSetMain"), "Perm");
}

TEST_F(CategoryFaces, APictureThatDoesNotLoadShowsTheCaptionNeverAStalePicture) {
  const QString bak = installFile("BakHS.mdb");
  run(bak, "UPDATE tbSetMain SET p0 = ?",
      {QStringLiteral("C:\\Program Files\\Dovrel POS 4\\Pics\\gone.png")});
  // p1 keeps the first install's Null.
  run(bak, "UPDATE tbSetMain SET p2 = ''");
  run(bak, "UPDATE tbSetMain SET p3 = ?", {slotPath(3)});
  forms::Instance<frmFaces> w;
  stale(*w);
  w->run(mode("1.Default"));
  for (int slot : {0, 1}) {
    SCOPED_TRACE(slot);
    for (FaceKind kind : kKinds) {
      EXPECT_EQ(w->button(kind, slot).Picture(), "");
      EXPECT_EQ(w->button(kind, slot).Caption(), shell::Infor().txtm(slot).Text());
    }
  }
  // An empty path is a deliberate "no picture".
  for (FaceKind kind : kKinds) EXPECT_EQ(w->button(kind, 2).Picture(), "");
  EXPECT_EQ(w->button(FaceKind::Preview, 2).Caption(), "");
  EXPECT_EQ(w->button(FaceKind::Category, 2).Caption(), "stale");
  EXPECT_EQ(w->button(FaceKind::Page, 2).Caption(), "");
  // A Windows path under the install folder loads.
  for (FaceKind kind : kKinds) EXPECT_EQ(w->button(kind, 3).Picture(), slotPath(3));
  EXPECT_EQ(w->button(FaceKind::Page, 3).Caption(), "");

  // No row at all: every slot shows its caption.
  run(bak, "DELETE FROM tbSetMain");
  forms::Instance<frmFaces> empty;
  stale(*empty);
  empty->run(mode("1.Default"));
  for (int slot = 0; slot < shell::kCategorySlots; ++slot) {
    for (FaceKind kind : kKinds) {
      EXPECT_EQ(empty->button(kind, slot).Picture(), "");
      EXPECT_EQ(empty->button(kind, slot).Caption(), shell::Infor().txtm(slot).Text());
    }
  }
}

TEST_F(CategoryFaces, AModeThatCannotBeReadGivesCaptions) {
  setPaths();
  forms::Instance<frmFaces> w;
  w->run([]() -> QString { throw std::runtime_error("no settings window"); });
  EXPECT_EQ(w->button(FaceKind::Page, 13).Caption(), "Packages");
  EXPECT_EQ(w->button(FaceKind::Page, 13).Picture(), "");
}

}  // namespace
