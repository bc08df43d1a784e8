// The removal dialog: its window, the keyboard and its letter mode, the
// stored reasons, the log row, and where its files lie.
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QToolButton>
#include <cmath>

#include "platform/convert/datetext.h"
#include "platform/forms/screen.h"
#include "sales/frmSales.h"
#include "tender/frmRemoving.h"
#include "tests/forms/text_view.h"
#include "tests/sales/sales_fixture.h"

namespace {

using tender::frmRemoving;
using tender::Removing;

class RemovalDialog : public SalesFixture {
 protected:
  // The log rows, "type|stylist|item|price|reason|manager|date|time".
  QStringList logRows() const { return rows(installFile("Remv.mdb"), "SELECT * FROM tblRemv"); }
};

TEST_F(RemovalDialog, ItsWindowAndControls) {
  frmRemoving& d = Removing();
  d.Show();
  QWidget* w = d.window();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->parentWidget(), nullptr) << "a window of its own, not inside the main window";
  EXPECT_FALSE(w->windowFlags() & Qt::WindowTitleHint);
  EXPECT_FALSE(w->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(d.Width(), 9825);
  EXPECT_EQ(d.Height(), 7995);
  EXPECT_EQ(d.Left(), int(std::lround((forms::Screen::Width() - 9825) / 2.0)));
  EXPECT_EQ(d.Top(), int(std::lround((forms::Screen::Height() - 7995) / 5.0)));
  EXPECT_EQ(d.BackColor(), forms::RGB(192, 255, 192));
  const struct {
    forms::Control* control;
    int left, top, width, height;
    forms::Color back, fore;
    const char* font;
    double size;
    const char* caption;
  } controls[] = {
      {&d.txtItem, 2520, 120, 4095, 615, forms::RGB(192, 255, 192), forms::RGB(255, 0, 0), "Arial", 18, ""},
      {&d.txtPrice, 6600, 120, 1095, 615, forms::RGB(192, 255, 192), forms::vbWindowText, "Arial", 15.75,
       "00.00"},
      {&d.Label3, 7680, 45, 2055, 375, forms::vbButtonFace, forms::RGB(0, 0, 192), "MS Sans Serif", 13.5,
       "by Manager:"},
      {&d.txtReason, 1440, 1080, 8175, 495, forms::vbWindowBackground, forms::vbWindowText, "Arial", 14.25,
       ""},
      {&d.cmdRmsg7, 4920, 3000, 2415, 975, forms::RGB(192, 255, 192), forms::vbButtonText, "Arial", 12,
       "Client Complaint"},
      {&d.cmdK, 6855, 5760, 900, 700, forms::RGB(192, 192, 255), forms::vbButtonText, "Arial", 15.75, "K"},
      {&d.cmdZ, 975, 6480, 900, 700, forms::RGB(192, 192, 255), forms::vbButtonText, "Arial", 15.75, "Z"},
      {&d.cmdCaps, 120, 6480, 855, 700, forms::RGB(192, 192, 255), forms::vbButtonText, "Arial", 18, "-A-"},
      {&d.cmdSpace, 120, 7200, 7180, 735, forms::RGB(192, 192, 255), forms::vbButtonText, "MS Sans Serif",
       8.25, ""},
      {&d.cmdEnter, 7320, 6480, 2370, 1455, forms::RGB(192, 255, 255), forms::vbButtonText, "Arial", 15.75,
       "Enter/ Exit"},
  };
  for (const auto& c : controls) {
    const std::string name = c.control->Name().toStdString();
    EXPECT_EQ(QList<int>({c.control->Left(), c.control->Top(), c.control->Width(), c.control->Height()}),
              QList<int>({c.left, c.top, c.width, c.height}))
        << name;
    EXPECT_EQ(c.control->BackColor(), c.back) << name;
    EXPECT_EQ(c.control->ForeColor(), c.fore) << name;
    EXPECT_EQ(c.control->FontName().toStdString(), c.font) << name;
    EXPECT_EQ(c.control->FontSize(), c.size) << name;
    EXPECT_EQ(c.control->Caption().toStdString(), c.caption) << name;
  }
  EXPECT_EQ(d.cmdKyBack.ToolTipText(), "Back Space");
  EXPECT_EQ(d.ActiveControl(), &d.txtReason) << "the reason box has the focus";
}

// The line being removed shows whole: an item with its option in a smaller
// face, a price of four digits too.
TEST_F(RemovalDialog, TheItemAndItsPriceShowWhole) {
  frmRemoving& d = Removing();
  d.Show();
  d.txtItem.setText("Short Women's Cut /Wash & Blow Dry");
  d.txtPrice.setText("1,234.50");
  EXPECT_TRUE(textview::showsWhole(d.txtItem));
  EXPECT_TRUE(textview::showsWhole(d.txtPrice));
}

// Each step acts on the dialog the steps before it left.
TEST_F(RemovalDialog, TheKeyboardAndItsLetterMode) {
  frmRemoving& d = Removing();
  d.Show();
  const struct {
    const char* what;
    std::function<void()> step;
    const char* text;
    const char* caps;
  } steps[] = {
      {"fresh", [] {}, "", "-A-"},
      {"C", [&] { press(d.cmdC); }, "C", "-a-"},
      {"A R", [&] { press(d.cmdA), press(d.cmdR); }, "Car", "-a-"},
      {"caps", [&] { press(d.cmdCaps); }, "Car", "-A-"},
      {"X", [&] { press(d.cmdX); }, "CarX", "-a-"},
      {"Y", [&] { press(d.cmdY); }, "CarXy", "-a-"},
      {"Q at the insertion point", [&] { d.txtReason.setSelStart(1), press(d.cmdQ); }, "CqarXy", "-a-"},
      {"space there", [&] { press(d.cmdSpace); }, "Cq arXy", "-a-"},
      {"back space there", [&] { press(d.cmdKyBack); }, "CqarXy", "-a-"},
      {"back space to empty",
       [&] {
         d.txtReason.setSelStart(6);
         for (int i = 0; i < 6; ++i) press(d.cmdKyBack);
       },
       "", "-A-"},
      {"back space on an empty box", [&] { press(d.cmdCaps), press(d.cmdKyBack); }, "", "-A-"},
      {"a stored reason", [&] { press(d.cmdRmsg1); }, "Client Changed Mind", "-a-"},
      {"a key after it lands at its end", [&] { press(d.cmdX); }, "Client Changed Mindx", "-a-"},
      {"and after another one", [&] { press(d.cmdRmsg3), press(d.cmdY); },
       "Client Changed MindxWrong Stylisty", "-a-"},
      {"a touch empties the box, the mode stays", [&] { click(d.txtReason); }, "", "-a-"},
      {"B", [&] { press(d.cmdB); }, "b", "-a-"},
  };
  for (const auto& s : steps) {
    s.step();
    EXPECT_EQ(d.txtReason.Text().toStdString(), s.text) << s.what;
    EXPECT_EQ(d.cmdCaps.Caption().toStdString(), s.caps) << s.what;
  }
}

TEST_F(RemovalDialog, AStoredReasonTwiceIsAppendedTwice) {
  frmRemoving& d = Removing();
  d.Show();
  press(d.cmdRmsg3);
  press(d.cmdRmsg3);
  EXPECT_EQ(d.txtReason.Text(), "Wrong StylistWrong Stylist");
}

// A reason the salon stored shows as it stands on its button, "&" and all.
TEST_F(RemovalDialog, AStoredReasonWithAnAmpersandShowsAsItStands) {
  run(settingsFile(), "UPDATE tbRemov SET R3 = 'Spill & Stain'");
  frmRemoving& d = Removing();
  d.Show();
  EXPECT_EQ(qobject_cast<QToolButton*>(d.cmdRmsg3.widget())->text().toStdString(), "Spill && Stain");
  press(d.cmdRmsg3);
  EXPECT_EQ(d.txtReason.Text(), "Spill & Stain");
}

// Only "Enter/ Exit" closes it; on a dialog nobody filled it takes the
// stylist, the design price and the moment, which go into the log as one row
// once the ticket is stored, and not before.
TEST_F(RemovalDialog, EnterExitTakesTheRemovalAndCloses) {
  sales::Sales().lblID.setCaption("Jules");
  frmRemoving& d = Removing();
  d.Show();
  QCloseEvent close;
  QApplication::sendEvent(d.window(), &close);
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
  QApplication::sendEvent(d.txtReason.widget(), &escape);
  ASSERT_TRUE(d.IsLoaded()) << "neither the window manager's close nor Escape closes it";
  EXPECT_TRUE(logRows().isEmpty());

  press(d.cmdEnter);
  EXPECT_FALSE(d.IsLoaded());
  ASSERT_TRUE(d.Removal().has_value());
  EXPECT_TRUE(logRows().isEmpty());
  EXPECT_EQ(tender::logRemovals({*d.Removal()}), "");
  const QStringList logged = logRows();
  ASSERT_EQ(logged.size(), 1);
  const QString today = rt::IsoDate(QDate::currentDate());
  EXPECT_TRUE(QRegularExpression("^<null>\\|Jules\\|<null>\\|00\\.00\\|<null>\\|<null>\\|" + today +
                                 "\\|\\d\\d:\\d\\d:\\d\\d$")
                  .match(logged[0])
                  .hasMatch())
      << logged[0].toStdString();
}

TEST_F(RemovalDialog, NoStoredReasonsBlankButtons) {
  run(settingsFile(), "DELETE FROM tbRemov");
  frmRemoving& d = Removing();
  d.Show();
  for (int n = 1; n <= 12; ++n) EXPECT_EQ(d.reasonButton(n).Caption(), "") << n;
  press(d.cmdRmsg5);
  EXPECT_EQ(d.txtReason.Text(), "");
}

// In file sharing both files come from the server: the log and the station
// settings that hold the reasons.
TEST_F(RemovalDialog, FileSharingOpensBothFilesOnTheServer) {
  const QString server = root_.path() + "/unc/Server/Dovrel POS 4/";
  ASSERT_TRUE(QDir().mkpath(server));
  for (const char* file : {"Remv.mdb", "Duzo98HS.mdb"})
    ASSERT_TRUE(QFile::copy(installFile(file), server + file));
  run(server + "Duzo98HS.mdb", "UPDATE tbRemov SET R1 = 'Server Reason'");
  run(settingsFile(), "UPDATE tbSet SET SetC = 'File Sharing', SetP = '\\\\Server\\'");
  frmRemoving& d = Removing();
  d.Show();
  EXPECT_EQ(d.datRemv.DatabaseName(), "\\\\Server\\Dovrel POS 4\\Remv.mdb");
  EXPECT_EQ(d.datReason.DatabaseName(), "\\\\Server\\Dovrel POS 4\\Duzo98HS.mdb");
  EXPECT_EQ(d.cmdRmsg1.Caption(), "Server Reason");
  press(d.cmdEnter);
  ASSERT_TRUE(d.Removal().has_value());
  EXPECT_EQ(tender::logRemovals({*d.Removal()}), "");
  EXPECT_EQ(value(server + "Remv.mdb", "SELECT COUNT(*) FROM tblRemv"), "1");
  EXPECT_TRUE(logRows().isEmpty());
}

}  // namespace
