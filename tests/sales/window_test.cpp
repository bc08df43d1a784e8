// The sales window driven as the clerk drives it, on a first-install data
// root: the frame, the pages, item choice with its prompts, lines, totals, the
// modifier pad, and the launcher's Sales button.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QKeySequence>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolButton>

#include "platform/convert/format.h"
#include "platform/convert/number.h"
#include "platform/forms/screen.h"
#include "sales/frmDes.h"
#include "sales/frmSales.h"
#include "shell/frmInfor.h"
#include "shell/frmMbutton.h"
#include "shell/frmMsgbox.h"
#include "tests/db/testdb.h"
#include "tests/forms/drive.h"
#include "tests/sales/sales_fixture.h"

namespace {

using sales::Des;
using sales::Sales;
using shell::Msgbox;

const QString kInstall = "C:\\Program Files\\Dovrel POS 4\\";
const QString kServer = "\\\\Server\\Dovrel POS 4\\";

class SalesWindow : public SalesFixture {
 protected:
  QStringList lines() { return ticketLines(Sales().grdOrderItems); }
  QString money() {
    return QStringList({Sales().txtTotal.Text(), Sales().txtTOTax1.Text(), Sales().txtEnding.Text()})
        .join(" / ");
  }
  // Rings up page button `k` of the page in view.
  void ring(int k) { press(Sales().command(k)); }
  int ticketRows(const QString& file) {
    return value(installFile(file), "SELECT COUNT(*) FROM tblDy_Order").toInt() +
           value(installFile(file), "SELECT COUNT(*) FROM tblDetail").toInt();
  }
  // The Escape key on the prompt, as the clerk presses it.
  static void escape(forms::Form& form, forms::Control& focus) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    QApplication::sendEvent(focus.widget() ? focus.widget() : form.widget(), &key);
  }
};

// ---- the frame

TEST_F(SalesWindow, TheLoadReadsCountryCheckBookAndPlacement) {
  const struct {
    const char* country;
    const char* checkBook;
    const char* placement;
    bool secondTax;
    const char* lblChk;
    const char* cmdT;
    QString folder;
    const char* tickets;
  } cases[] = {
      {"Canada", "Check Book", "Single", true, "#", "", kInstall, "Ordr.mdb"},
      {"canada", "Training Check Book", "Single", false, "T", "T", kInstall, "TOrdr.mdb"},
      {"Canada ", "Training Check Book", "File Sharing", false, "T", "T", kServer, "TOrdr.mdb"},
      {"USA", "Check Book", "File Sharing", false, "#", "", kServer, "Ordr.mdb"},
  };
  for (const auto& c : cases) {
    run(settingsFile(), "UPDATE tbSet SET setL = ?, SetC = ?", {c.country, c.placement});
    run(settingsFile(), "UPDATE tbReset SET Reset_txt = ?", {c.checkBook});
    // The files of a server that is not there are named in one message.
    const bool server = c.folder == kServer;
    if (server) messages_->answer(forms::vbOK);
    const size_t before = messages_->shown().size();
    sales::frmSales& w = Sales();
    EXPECT_EQ(w.txtTOTax2.Visible(), c.secondTax) << c.country;
    EXPECT_EQ(w.lblChk.Caption().toStdString(), c.lblChk) << c.checkBook;
    EXPECT_EQ(w.cmdT.Caption().toStdString(), c.cmdT) << c.checkBook;
    EXPECT_EQ(w.datOrders.DatabaseName(), c.folder + c.tickets) << c.placement;
    EXPECT_EQ(w.datDetail.DatabaseName(), c.folder + c.tickets) << c.placement;
    EXPECT_EQ(w.datCustmrTr.DatabaseName(), c.folder + "CustmrTr.mdb") << c.placement;
    EXPECT_EQ(w.datEmployees.DatabaseName(), c.folder + "Infor.mdb") << c.placement;
    EXPECT_EQ(w.datFav.DatabaseName(), c.folder + "Fav.mdb") << c.placement;
    EXPECT_EQ(w.datSize.DatabaseName(), kInstall + "Duzo98HS.mdb");
    EXPECT_EQ(w.datList.DatabaseName(), kInstall + "BakHS.mdb");
    EXPECT_EQ(messages_->shown().size(), before + (server ? 1 : 0)) << c.placement;
    if (server) {
      EXPECT_TRUE(messages_->shown().back().prompt.contains(c.tickets)) << c.placement;
    }
    // What the load shows, whatever the settings.
    EXPECT_EQ(w.lblCompanyName.Caption(), "Company Name");
    EXPECT_EQ(w.lblLine1.Caption(), "Tel: ");
    EXPECT_EQ(w.lblLine2.Caption(), "Fax: ");
    EXPECT_EQ(money(), "0.00 / 0.00 / 0.00");
    EXPECT_EQ(w.txtTOTax2.Text(), "0.00");
    EXPECT_EQ(w.cmdMainM.Tag(), "Main");
    EXPECT_FALSE(w.cmdLast.Visible() || w.cmdNext.Visible());
    unloadAllWindows();
  }
}

// Each file that cannot be read is named in one message as the window opens,
// also when the settings windows the load reads use it too; without the menu
// there is nothing to sell, and the window does not open.
TEST_F(SalesWindow, EachFileThatCannotBeReadIsNamedOnceAsTheWindowOpens) {
  const struct {
    const char* what;
    std::function<void()> damage;
    bool opens;
    const char* says;  // in the one message; the files are named one a line
  } cases[] = {
      {"no menu file", [this] { ASSERT_TRUE(QFile::remove(menuFile())); }, false,
       "The database file \"C:\\Program Files\\Dovrel POS 4\\BakHS.mdb\" was not found."},
      {"a menu file that is no database",
       [this] {
         QFile f(menuFile());
         ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
         f.write(QByteArray(4096, 'x'));
       },
       false, "The file \"C:\\Program Files\\Dovrel POS 4\\BakHS.mdb\" is not a database."},
      {"no category faces", [this] { run(menuFile(), "DROP TABLE tbSetMain"); }, false,
       "BakHS.mdb has no table tbSetMain."},
      {"two tables missing from the settings",
       [this] {
         run(settingsFile(), "DROP TABLE tbTel");
         run(settingsFile(), "DROP TABLE tabPword");
       },
       true, "Duzo98HS.mdb has no table tbTel."},
      {"a damaged table in each file",
       [this] {
         dbtest::damageTable(menuFile(), "tbSetScrn");
         dbtest::damageTable(settingsFile(), "tabPword");
       },
       true, "BakHS.mdb is damaged.\nDuzo98HS.mdb is damaged."},
  };
  const auto contentOf = [](const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  };
  const QByteArray menu = contentOf(menuFile()), settings = contentOf(settingsFile());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.damage();
    messages_->answer(forms::vbOK);
    Sales().Load();
    EXPECT_EQ(Sales().IsLoaded(), c.opens);
    ASSERT_EQ(messages_->shown().size(), 1u);
    const QString said = messages_->shown()[0].prompt;
    EXPECT_TRUE(said.contains(c.says)) << said.toStdString();
    EXPECT_FALSE(said.contains("SQL") || said.contains("SELECT")) << said.toStdString();
    unloadAllWindows();
    messages_->clear();
    for (const auto& [file, content] : {std::pair{menuFile(), menu}, std::pair{settingsFile(), settings}}) {
      QFile f(file);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
      f.write(content);
    }
  }
}

// A category whose table cannot be read shows an empty page, which rings
// nothing, and says why once.
TEST_F(SalesWindow, ACategoryWhoseTableCannotBeReadShowsAnEmptyPage) {
  const struct {
    const char* what;
    std::function<void()> damage;
    const char* says;
  } cases[] = {
      {"no table", [this] { run(menuFile(), "DROP TABLE tbPork"); }, "BakHS.mdb has no table tbPork."},
      {"a damaged table", [this] { dbtest::damageTable(menuFile(), "tbPork"); }, "BakHS.mdb is damaged."},
  };
  const QByteArray menu = [this] {
    QFile f(menuFile());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    {
      QFile f(menuFile());
      ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
      f.write(menu);
    }
    c.damage();
    sales::frmSales& w = Sales();
    fillMenu("tbVegetables", 1, 60, "Veg ");
    press(w.cmdVege);
    press(w.cmdNext);
    ASSERT_EQ(w.command(1).Caption(), "Veg 25");
    messages_->answer(forms::vbOK);
    press(w.cmdPk);
    ASSERT_EQ(messages_->shown().size(), 1u);
    EXPECT_EQ(messages_->shown()[0].prompt, c.says);
    for (int k = 1; k <= 24; ++k) EXPECT_EQ(w.command(k).Caption(), "") << k;
    EXPECT_FALSE(w.cmdLast.Visible() || w.cmdNext.Visible());
    EXPECT_EQ(w.cmdMainM.Tag(), "");
    ring(1);
    EXPECT_TRUE(lines().isEmpty());
    // Told once an opening.
    press(w.cmdPk);
    EXPECT_EQ(messages_->shown().size(), 1u);
    // Its neighbours still sell.
    press(w.cmdVege);
    EXPECT_EQ(w.command(1).Caption(), "Veg 1");
    unloadAllWindows();
    messages_->clear();
  }
}

// Without the check book or the placement, sales would go to the training
// file or to another folder: the window does not open, and one message names
// the settings file and what is wrong with it.
TEST_F(SalesWindow, UnreadableStationSettingsKeepTheWindowShut) {
  const struct {
    const char* what;
    std::function<void()> damage;
    const char* setting;
    const char* reason;
  } cases[] = {
      {"no database",
       [this] {
         QFile f(settingsFile());
         ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
         f.write(QByteArray(4096, 'x'));
       },
       "the check book", "is not a database"},
      {"no check-book table", [this] { run(settingsFile(), "DROP TABLE tbReset"); }, "the check book",
       "Duzo98HS.mdb has no table tbReset."},
      {"a damaged check-book table", [this] { dbtest::damageTable(settingsFile(), "tbReset"); },
       "the check book", "Duzo98HS.mdb is damaged."},
      {"no placement table", [this] { run(settingsFile(), "ALTER TABLE tbSet RENAME TO tbSetGone"); },
       "the data location", "Duzo98HS.mdb has no table tbSet."},
      {"no placement row", [this] { run(settingsFile(), "DELETE FROM tbSet"); }, "the data location",
       "The table tbSet of Duzo98HS.mdb holds no row."},
      {"no mode field",
       [this] { run(settingsFile(), "ALTER TABLE tbReset RENAME COLUMN Reset_txt TO Gone"); },
       "the check book", "The table tbReset of Duzo98HS.mdb has no field Reset_txt."},
      {"no placement mode field",
       [this] { run(settingsFile(), "ALTER TABLE tbSet RENAME COLUMN SetC TO Gone"); }, "the data location",
       "The table tbSet of Duzo98HS.mdb has no field SetC."},
      // A value the settings windows never write: the tickets would go to
      // the training file, or every file to a folder that is not there.
      {"no placement mode", [this] { run(settingsFile(), "UPDATE tbSet SET SetC = NULL"); },
       "the data location",
       "The field SetC of tbSet in Duzo98HS.mdb is empty, not \"Single\" or \"File Sharing\"."},
      {"an empty placement mode", [this] { run(settingsFile(), "UPDATE tbSet SET SetC = ''"); },
       "the data location",
       "The field SetC of tbSet in Duzo98HS.mdb is empty, not \"Single\" or \"File Sharing\"."},
      {"a garbled placement mode", [this] { run(settingsFile(), "UPDATE tbSet SET SetC = 'Sxngle'"); },
       "the data location",
       "The field SetC of tbSet in Duzo98HS.mdb reads \"Sxngle\", not \"Single\" or \"File Sharing\"."},
      {"no check-book mode", [this] { run(settingsFile(), "UPDATE tbReset SET Reset_txt = NULL"); },
       "the check book",
       "The field Reset_txt of tbReset in Duzo98HS.mdb is empty, not \"Check Book\" or \"Training Check "
       "Book\"."},
      {"a garbled check-book mode",
       [this] { run(settingsFile(), "UPDATE tbReset SET Reset_txt = 'Ch@ck B00k'"); }, "the check book",
       "The field Reset_txt of tbReset in Duzo98HS.mdb reads \"Ch@ck B00k\", not \"Check Book\" or "
       "\"Training Check Book\"."},
  };
  const QByteArray sound = [this] {
    QFile f(settingsFile());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.damage();
    messages_->answer(forms::vbOK);
    Sales().Show();
    EXPECT_FALSE(Sales().IsLoaded());
    ASSERT_EQ(messages_->shown().size(), 1u);
    const QString said = messages_->shown()[0].prompt;
    EXPECT_TRUE(said.startsWith(QString("Sales cannot open: %1 cannot be read. ").arg(c.setting)))
        << said.toStdString();
    EXPECT_TRUE(said.contains(c.reason)) << said.toStdString();
    unloadAllWindows();
    messages_->clear();
    QFile f(settingsFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(sound);
  }
}

TEST_F(SalesWindow, CloseAsksOnlyWhileATotalIsOpenAndNeverStores) {
  Sales().Load();
  press(Sales().cmdClose);  // nothing rung up: no question
  EXPECT_FALSE(Sales().IsLoaded());

  // Notes ring up without a price: the total stays "0.00".
  press(Sales().cmdLunch);
  press(Sales().cmdNotes);
  ring(1);
  EXPECT_EQ(lines(), QStringList{"1 | Walk-in |  | B"});
  press(Sales().cmdClose);
  EXPECT_FALSE(Sales().IsLoaded());

  press(Sales().cmdLunch);
  ring(1);
  messages_->answer(forms::vbNo);
  press(Sales().cmdClose);
  ASSERT_TRUE(Sales().IsLoaded());
  EXPECT_EQ(lines(), QStringList{"1 | Shampoo | 18.00 | B"});
  // The window system's close request is the Close button.
  messages_->answer(forms::vbNo);
  Sales().window()->close();
  ASSERT_TRUE(Sales().IsLoaded());
  messages_->answer(forms::vbYes);
  press(Sales().cmdClose);
  EXPECT_FALSE(Sales().IsLoaded());

  ASSERT_EQ(messages_->shown().size(), 3u);
  for (const forms::Message& m : messages_->shown()) {
    EXPECT_EQ(m.prompt, "Changes will not be save on this table ?");
    EXPECT_EQ(m.buttons, forms::vbYesNo | forms::vbQuestion);
  }
  EXPECT_EQ(ticketRows("Ordr.mdb"), 0);
  EXPECT_EQ(ticketRows("TOrdr.mdb"), 0);
}

// A long ticket scrolls down, never sideways: its four columns fit beside
// the vertical scroll bar, each wholly in view.
TEST_F(SalesWindow, ALongTicketShowsAllFourColumns) {
  fillMenu("tbDrink", 1, 20, "Women's Cut and Blow Dry ", "120.00");
  script_->on(Sales(), [this] {
    sales::frmSales& w = Sales();
    press(w.cmdDrink);
    for (int k = 1; k <= 20; ++k) ring(k);
    ASSERT_EQ(lines().size(), 20);
    QCoreApplication::processEvents();
    auto* grid = qobject_cast<QTableWidget*>(w.grdOrderItems.widget());
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->verticalScrollBar()->isVisible());
    EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0);
    int right = 0;
    for (int c = 0; c < 4; ++c) right += grid->columnWidth(c);
    EXPECT_EQ(right, grid->viewport()->width());
    // The routing column keeps its share beside the others.
    EXPECT_GT(grid->columnWidth(3), grid->columnWidth(0) * 6 / 7 - 2);
    messages_->answer(forms::vbYes);
    press(w.cmdClose);
  });
  Sales().Show(forms::vbModal);
  EXPECT_TRUE(script_->done());
}

// ---- categories and pages

TEST_F(SalesWindow, PagesOfAMenuWithAGapAtItem24) {
  fillMenu("tbDrink", 1, 23, "Item ");
  for (int n = 25; n <= 30; ++n)
    addItem("tbDrink", {{"Dish_ID", n}, {"szMenu_nm", QString("Item %1").arg(n)}});
  shell::Infor().routingCombo(0).setText("K");
  sales::frmSales& w = Sales();
  press(w.cmdDrink);
  EXPECT_EQ(w.lblScrn.Caption(), "K");
  EXPECT_EQ(w.cmdMainM.Tag(), "");
  EXPECT_EQ(w.command(23).Caption(), "Item 23");
  // The gap's button is blank but carries its number, and hands it on.
  EXPECT_EQ(w.command(24).Caption(), "");
  EXPECT_EQ(w.command(24).Tag(), "24");
  EXPECT_EQ(w.Text(24).Text(), "24");
  // Items beyond a missing 24 cannot be reached.
  EXPECT_FALSE(w.cmdNext.Visible());
  EXPECT_FALSE(w.cmdLast.Visible());
  ring(24);
  EXPECT_TRUE(lines().isEmpty());
  EXPECT_EQ(w.txtList.Text(), "");
  EXPECT_EQ(w.lblList.Caption(), "");
}

TEST_F(SalesWindow, PagingThroughFullPagesAndTheNumbersHandedOn) {
  fillMenu("tbSoup", 1, 120, "Item ");
  fillMenu("tbVegetables", 1, 60, "Veg ");
  run(menuFile(), "DELETE FROM tbPork");
  sales::frmSales& w = Sales();
  press(w.cmdSp);
  EXPECT_EQ(w.lblScrn.Caption(), "-");
  ASSERT_TRUE(w.cmdNext.Visible());
  EXPECT_EQ(w.cmdNext.Caption(), "2");
  ring(7);   // "07"
  ring(15);  // "15"
  press(w.cmdNext);
  EXPECT_EQ(w.cmdLast.Tag(), "2");
  EXPECT_TRUE(w.cmdLast.Visible());
  EXPECT_EQ(w.cmdLast.Caption(), "1");
  EXPECT_EQ(w.cmdNext.Caption(), "3");
  EXPECT_EQ(w.Text(1).Text(), "25");
  ring(5);   // "029"
  ring(12);  // "36"
  press(w.cmdNext);
  ring(1);  // "049"
  EXPECT_EQ(lines(),
            QStringList({"1 | Item 7 | 10.00 | -", "1 | Item 15 | 10.00 | -", "1 | Item 29 | 10.00 | -",
                         "1 | Item 36 | 10.00 | -", "1 | Item 49 | 10.00 | -"}));
  // Vegetables keep the page in view, Beef starts at page 1.
  press(w.cmdVege);
  EXPECT_EQ(w.command(1).Caption(), "Veg 49");
  press(w.cmdBf);
  EXPECT_EQ(w.command(1).Caption(), "Men's Cut");
  EXPECT_EQ(w.cmdLast.Tag(), "");

  // On to the full page 5: no forward button to a page 6.
  press(w.cmdSp);
  for (int page = 2; page <= 5; ++page) press(w.cmdNext);
  EXPECT_EQ(w.cmdLast.Tag(), "5");
  EXPECT_EQ(w.command(24).Caption(), "Item 120");
  EXPECT_EQ(w.cmdLast.Caption(), "4");
  EXPECT_FALSE(w.cmdNext.Visible());
  press(w.cmdLast);
  EXPECT_EQ(w.cmdLast.Tag(), "4");
  EXPECT_EQ(w.command(1).Caption(), "Item 73");

  // An empty table blanks the page; the numbers stay those of the last fill.
  press(w.cmdPk);
  EXPECT_EQ(w.command(1).Caption(), "");
  EXPECT_EQ(w.command(1).Tag(), "73");
  EXPECT_EQ(w.Text(1).Text(), "73");
  // Lunch and Dinner always route to "B".
  press(w.cmdLunch);
  EXPECT_EQ(w.lblScrn.Caption(), "B");
}

// A page after a category's last item is never shown, and every page after
// the first leads back: a full last page offers no way on, and a page kept
// from another category that this one does not reach becomes its last page.
TEST_F(SalesWindow, EveryPageShownHoldsItemsAndLeadsBack) {
  const struct {
    const char* what;
    int items;          // tbVegetables holds the items 1 to this
    bool keptPage3;     // Vegetables pressed on page 3 of a category of 120 items; else at page 1
    int forward;        // the forward buttons pressed after
    const char* shown;  // page tag | first and last caption | back caption or "-" | forward caption or "-"
  } cases[] = {
      {"24 items", 24, false, 0, "|Veg 1..Veg 24|-|-"},
      {"48 items, on to page 2", 48, false, 1, "2|Veg 25..Veg 48|1|-"},
      {"49 items, on to page 2", 49, false, 1, "2|Veg 25..Veg 48|1|3"},
      {"page 3 kept, 60 items", 60, true, 0, "3|Veg 49..|2|-"},
      {"page 3 kept, 73 items", 73, true, 0, "3|Veg 49..Veg 72|2|4"},
      {"page 3 kept, 30 items", 30, true, 0, "2|Veg 25..|1|-"},
      {"page 3 kept, 10 items", 10, true, 0, "|Veg 1..|-|-"},
      {"page 3 kept, no item", 0, true, 0, "|..|-|-"},
  };
  fillMenu("tbSoup", 1, 120, "Item ");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fillMenu("tbVegetables", 1, c.items, "Veg ");
    sales::frmSales& w = Sales();
    if (c.keptPage3) {
      press(w.cmdSp);
      press(w.cmdNext);
      press(w.cmdNext);
      ASSERT_EQ(w.command(1).Caption(), "Item 49");
    }
    press(w.cmdVege);
    for (int k = 0; k < c.forward; ++k) press(w.cmdNext);
    const auto shown = [&w] {
      return QStringList({w.cmdLast.Tag(), w.command(1).Caption() + ".." + w.command(24).Caption(),
                          w.cmdLast.Visible() ? w.cmdLast.Caption() : "-",
                          w.cmdNext.Visible() ? w.cmdNext.Caption() : "-"})
          .join('|');
    };
    EXPECT_EQ(shown().toStdString(), c.shown);
    // The way back leads to a page with items, down to page 1.
    for (int back = 0; back < 5 && w.cmdLast.Visible(); ++back) {
      const QString before = w.cmdLast.Tag();
      press(w.cmdLast);
      EXPECT_NE(w.cmdLast.Tag(), before);
      EXPECT_FALSE(w.command(1).Caption().isEmpty()) << "page tag " << w.cmdLast.Tag().toStdString();
    }
    EXPECT_EQ(w.cmdLast.Tag(), "");
    unloadAllWindows();
  }
}

TEST_F(SalesWindow, ItemPicturesAndTheMainMenuPage) {
  ASSERT_TRUE(QDir().mkpath(installFile("Pics")));
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(Qt::darkBlue);
  ASSERT_TRUE(image.save(installFile("Pics/gloss.png")));
  run(menuFile(), "UPDATE tbAppetizer SET szDes = ? WHERE Dish_ID = 3", {kInstall + "Pics\\gloss.png"});
  run(menuFile(), "UPDATE tbAppetizer SET szDes = ?, szMenu_nm = NULL WHERE Dish_ID = 2",
      {kInstall + "Pics\\missing.png"});
  sales::frmSales& w = Sales();

  // On the main-menu page a page button chooses its category.
  EXPECT_EQ(w.command(2).Caption(), "Color");
  press(w.command(2));
  EXPECT_EQ(w.cmdMainM.Tag(), "");
  EXPECT_EQ(w.command(1).Caption(), "Root Touch-Up");
  EXPECT_EQ(w.command(3).Picture(), kInstall + "Pics\\gloss.png");
  // A row without a name shows no caption; a picture that does not load, none.
  EXPECT_EQ(w.command(2).Caption(), "");
  EXPECT_EQ(w.command(2).Picture(), "");

  press(w.cmdMainM);
  EXPECT_EQ(w.cmdMainM.Tag(), "Main");
  EXPECT_EQ(w.cmdLast.Tag(), "");
  EXPECT_EQ(w.command(3).Caption(), "Highlights");
  EXPECT_EQ(w.command(3).Picture(), "");  // the item picture does not stay
  EXPECT_EQ(w.command(17).Caption(), "Products");
  for (int k : {13, 14, 15, 16, 19, 20, 21, 22, 23, 24}) EXPECT_EQ(w.command(k).Caption(), "") << k;
  EXPECT_EQ(w.cmdFR.Caption(), "Highlights");
  EXPECT_EQ(w.cmdFR.Picture(), ":/sales/highlights.png");  // the built-in icon stays

  // Notes on the main-menu page keep main-menu mode: the next press on a
  // page button chooses a category.
  press(w.cmdNotes);
  EXPECT_EQ(w.command(1).Caption(), "Walk-in");
  EXPECT_EQ(w.cmdMainM.Tag(), "Main");
  press(w.command(1));
  EXPECT_EQ(w.command(1).Caption(), "Women's Cut");
  EXPECT_TRUE(lines().isEmpty());
}

// ---- item choice

TEST_F(SalesWindow, AnItemNumberNeedsTwoCharacters) {
  sales::frmSales& w = Sales();
  press(w.cmdLunch);
  w.txtList.setText("5");
  EXPECT_EQ(w.txtList.Text(), "5");
  EXPECT_TRUE(lines().isEmpty());
  w.txtList.setText("04");
  EXPECT_EQ(lines(), QStringList{"1 | Hair Spray | 16.00 | B"});
  EXPECT_EQ(w.txtList.Text(), "");
  w.txtList.setText("99");  // not in the table
  w.txtList.setText(".");
  EXPECT_EQ(lines(), QStringList{"1 | Hair Spray | 16.00 | B"});
  EXPECT_EQ(w.txtList.Text(), ".");
  EXPECT_EQ(w.lblList.Caption(), "");
  EXPECT_EQ(money(), "16.00 / 1.20 / 17.20");
}

TEST_F(SalesWindow, ASizePromptAnsweredAndOneCancelled) {
  sales::frmSales& w = Sales();
  press(w.cmdFR);
  w.grdOrderItems.setTag("DelItems");
  script_->on(Msgbox(), [] {
    EXPECT_EQ(Msgbox().cmdS.Caption(), "75.00");
    EXPECT_EQ(Msgbox().cmdM.Caption(), "80.00");
    EXPECT_EQ(Msgbox().cmdYes.Caption(), "85.00");
    EXPECT_EQ(Msgbox().cmdNo.Caption(), "95.00");
    EXPECT_EQ(Msgbox().txtSprice.Text(), "Short ");
    EXPECT_EQ(Msgbox().txtLprice.Text(), "Extra Long ");
    escape(Msgbox(), Msgbox().cmdS);
  });
  ring(1);
  EXPECT_TRUE(lines().isEmpty());
  EXPECT_EQ(w.txtMenu.Text(), "");
  EXPECT_EQ(w.txtPrice.Text(), "");
  EXPECT_FALSE(Msgbox().IsLoaded());
  EXPECT_EQ(w.grdOrderItems.Tag(), "");

  // A typed number with a size names the item, not the size word alone.
  script_->on(Msgbox(), [] { press(Msgbox().cmdS); });
  w.txtList.setText("01");
  // The next item has its own price, not a size answered before.
  press(w.cmdLunch);
  ring(1);
  EXPECT_EQ(lines(), QStringList({"1 | Short Partial Highlights | 75.00 | -", "1 | Shampoo | 18.00 | B"}));
  EXPECT_EQ(money(), "93.00 / 6.98 / 99.98");
  EXPECT_TRUE(script_->done());
}

TEST_F(SalesWindow, OptionsThenAddOnsAndAMergeOfTheSameItem) {
  sales::frmSales& w = Sales();
  press(w.cmdDrink);
  for (int n = 0; n < 2; ++n) {
    script_->on(Msgbox(), [] { press(Msgbox().cmdYes); });  // the L size, 48.00
    script_->on(Msgbox(), [] {
      EXPECT_EQ(Msgbox().cmdS.Caption(), "Wash & Blow Dry");
      EXPECT_EQ(Msgbox().cmdM.Caption(), "Dry Cut");
      EXPECT_EQ(Msgbox().cmdYes.Caption(), "");
      EXPECT_EQ(Msgbox().Width(), 4245);
      press(Msgbox().cmdS);  // 12.00
    });
    script_->on(Des(), [] {
      EXPECT_EQ(Des().Width(), 7460);
      EXPECT_EQ(Sales().Tag(), "HS");
      EXPECT_EQ(Des().cmd(7).Caption(), "Deep Condition");
      EXPECT_EQ(Des().cmd(9).Tag(), "5.00");
      EXPECT_EQ(Des().cmd(10).Caption(), "");
      press(Des().cmdClose);
    });
    ring(1);
  }
  EXPECT_TRUE(script_->done());
  EXPECT_EQ(lines(), QStringList{"2 | Women's Cut /Wash & Blow Dry | 120.00 | -"});
  EXPECT_EQ(money(), "120.00 / 9.00 / 129.00");
  EXPECT_FALSE(Des().IsLoaded());
}

// The option chosen shows on the line behind the item's name and its price
// is charged, whatever the size: a size with a word, the plain L size, an
// item of one price, and with a percent off.
TEST_F(SalesWindow, TheChosenOptionShowsOnTheLineWhateverTheSize) {
  sales::frmSales& w = Sales();
  const struct {
    const char* what;
    forms::CommandButton* category;
    int size;    // the size prompt's button: 0 none, 1 S, 3 L
    int option;  // 1 or 2
    const char* percent;
    const char* line;
    const char* subtotal;
  } cases[] = {
      {"the L size", &w.cmdApter, 3, 2, "", "1 | Root Touch-Up /Gray Coverage | 80.00 | -", "80.00"},
      {"the S size", &w.cmdApter, 1, 1, "", "1 | Short Root Touch-Up /Ammonia Free | 65.00 | -", "65.00"},
      {"one price", &w.cmdSf, 0, 1, "", "1 | Manicure /Gel | 40.00 | -", "40.00"},
      {"one price and a percent", &w.cmdSf, 0, 2, "10", "1 | Manicure /French-10% | 29.70 | -", "29.70"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    w.txtTotal.setText("0.00");
    for (int r = w.grdOrderItems.Rows() - 1; r >= 2; --r) w.grdOrderItems.RemoveItem(r);
    w.txtPercent.setText(c.percent);
    press(*c.category);
    if (c.size)
      script_->on(Msgbox(), [size = c.size] { press(size == 1 ? Msgbox().cmdS : Msgbox().cmdYes); });
    script_->on(Msgbox(), [option = c.option] { press(option == 1 ? Msgbox().cmdS : Msgbox().cmdM); });
    if (c.category == &w.cmdApter) script_->on(Des(), [] { press(Des().cmdClose); });
    ring(1);
    ASSERT_TRUE(script_->done());
    EXPECT_EQ(lines(), QStringList{c.line});
    EXPECT_EQ(w.txtTotal.Text().toStdString(), c.subtotal);
  }
}

TEST_F(SalesWindow, OptionFiveAloneAndAFirstAddOnOfADash) {
  addItem("tbPork", {{"Dish_ID", 9},
                     {"szMenu_nm", "Lash Lift"},
                     {"szPrice_amt", "40.00"},
                     {"1", "-"},
                     {"5", "Tint"},
                     {"5_Price", "5.00"},
                     {"7", "-"},
                     {"9", "Serum"},
                     {"9_Price", "3.00"}});
  sales::frmSales& w = Sales();
  press(w.cmdPk);
  script_->on(Msgbox(), [] {
    EXPECT_EQ(Msgbox().Width(), 6464);
    EXPECT_TRUE(Msgbox().cmdOpt5.Visible());
    EXPECT_FALSE(Msgbox().cmdS.Visible());
    EXPECT_EQ(Msgbox().Text1.Text(), "$5.00");
    press(Msgbox().cmdOpt5);
  });
  script_->on(Des(), [] {
    EXPECT_EQ(Des().cmd(7).Caption(), "-");
    EXPECT_EQ(Des().cmd(8).Caption(), "");  // a field without a value leaves it
    press(Des().cmd(9));
    press(Des().cmdClose);
  });
  ring(9);
  EXPECT_TRUE(script_->done());
  EXPECT_EQ(lines(), QStringList({"1 | Lash Lift /Tint | 45.00 | -", "+ | 1.  Serum | 3.00 | -"}));
  EXPECT_EQ(w.txtTotal.Text(), "48.00");
}

// Names from the data show as they stand on every button: an "&" in them
// marks no shortcut letter.
TEST_F(SalesWindow, NamesWithAnAmpersandShowAsTheyStand) {
  run(menuFile(), "UPDATE tbSetMain SET t13 = 'Cuts & Colour'");
  run(menuFile(), "UPDATE tbDrink SET \"8\" = 'Mask & Steam' WHERE Dish_ID = 1");
  // The button's own text: "&&" shows one "&", a lone "&" marks a shortcut;
  // a caption too wide for one line goes on over more.
  const auto shown = [](const forms::CommandButton& b) {
    b.Visible();  // loads the window
    const QString text = qobject_cast<QToolButton*>(b.widget())->text();
    if (!QKeySequence::mnemonic(text).isEmpty()) return "shortcut: " + text;
    return QString(text).replace("&&", "&").replace('\n', ' ');
  };
  sales::frmSales& w = Sales();
  EXPECT_EQ(shown(w.command(18)), "Cuts & Colour");  // the main-menu page
  EXPECT_EQ(shown(w.cmdDiner), "Cuts & Colour");
  press(w.cmdDiner);
  EXPECT_EQ(shown(w.command(1)), "Cut & Color");
  EXPECT_EQ(shown(w.command(2)), "Cut & Blow Dry");

  press(w.cmdDrink);
  script_->on(Msgbox(), [] { press(Msgbox().cmdYes); });
  script_->on(Msgbox(), [&] {
    EXPECT_EQ(shown(Msgbox().cmdS), "Wash & Blow Dry");
    press(Msgbox().cmdS);
  });
  script_->on(Des(), [&] {
    EXPECT_EQ(shown(Des().cmd(8)), "Mask & Steam");
    press(Des().cmdClose);
  });
  ring(1);
  EXPECT_TRUE(script_->done());
}

// ---- lines, quantity, percent and totals

TEST_F(SalesWindow, QuantityBox) {
  sales::frmSales& w = Sales();
  w.Show();
  press(w.cmdQty);
  EXPECT_TRUE(w.txtQty.Visible());
  EXPECT_EQ(w.Tag(), "Qty");
  for (const char* refused : {"00", "01"}) {
    w.txtQty.setText(refused);
    EXPECT_EQ(w.txtQty.Text(), "") << refused;
  }
  w.txtQty.setText("5");
  EXPECT_EQ(w.txtQty.Text(), "5");
  w.txtQty.setText("03");
  EXPECT_EQ(w.window()->focusWidget(), w.txtList.widget());
  press(w.cmdLunch);
  ring(1);
  EXPECT_EQ(lines(), QStringList{"3 | Shampoo | 54.00 | B"});
  EXPECT_EQ(w.txtQty.Text(), "");
  EXPECT_TRUE(w.txtQty.Visible());
}

// A quantity or a percent that is not digits with a point ("1,5" would show
// 1 and charge 15 times the price) rings nothing up and names its box; a
// decimal written with a point is one number for the line and its price.
TEST_F(SalesWindow, AQuantityOrPercentThatIsNoNumberRingsUpNothing) {
  sales::frmSales& w = Sales();
  press(w.cmdLunch);
  const QString noNumber = "is not a number (a decimal is written with a point, as in 1.5)";
  const struct {
    const char* qty;
    const char* percent;
    const char* box;
    QString why;
  } refused[] = {{"1,5", "", "quantity", noNumber},
                 {"ab", "", "quantity", noNumber},
                 {"", "12,5", "percent", noNumber},
                 {"", "150", "percent", "is outside 0 to 100"}};
  for (const auto& r : refused) {
    w.txtQty.setText(r.qty);
    w.txtPercent.setText(r.percent);
    messages_->answer(forms::vbOK);
    const size_t before = messages_->shown().size();
    ring(1);
    ASSERT_EQ(messages_->shown().size(), before + 1) << r.qty << r.percent;
    EXPECT_EQ(
        messages_->shown().back().prompt,
        QString("The %1 \"%2\" %3; the item is not rung up.").arg(r.box, *r.qty ? r.qty : r.percent, r.why));
    EXPECT_TRUE(lines().isEmpty()) << r.qty << r.percent;
    EXPECT_EQ(money(), "0.00 / 0.00 / 0.00");
    EXPECT_EQ(w.txtMenu.Text(), "");
  }
  w.txtQty.setText("1.5");
  w.txtPercent.setText("");
  ring(1);
  w.txtPercent.setText("12.5");
  ring(2);
  EXPECT_EQ(lines(), QStringList({"1.5 | Shampoo | 27.00 | B", "1 | Conditioner-12.5% | 15.75 | B"}));
  EXPECT_EQ(w.txtTotal.Text(), "42.75");
}

// Every price the window takes from the menu is an amount or none: an item
// whose size or option price is not one, or is below zero, rings up
// nothing, and such an add-on is not added; ".50" is 0.50.
TEST_F(SalesWindow, APriceThatIsNotAnAmountRingsUpNothing) {
  addItem("tbPork", {{"Dish_ID", 11}, {"szMenu_nm", "Tint"}, {"szPrice_amt", "8.5o"}});
  addItem("tbPork",
          {{"Dish_ID", 12}, {"szMenu_nm", "Toner"}, {"szPriceS_amt", "abc"}, {"szPrice_amt", "20.00"}});
  addItem("tbPork", {{"Dish_ID", 13},
                     {"szMenu_nm", "Gloss"},
                     {"szPrice_amt", "20.00"},
                     {"1", "Shine"},
                     {"1_Price", "2.5x"}});
  addItem("tbPork", {{"Dish_ID", 17}, {"szMenu_nm", "Trim"}, {"szPrice_amt", "-25.00"}});
  addItem("tbPork", {{"Dish_ID", 18},
                     {"szMenu_nm", "Fringe"},
                     {"szPrice_amt", "9.00"},
                     {"1", "Dry"},
                     {"1_Price", "-1.00"}});
  addItem("tbPork", {{"Dish_ID", 14}, {"szMenu_nm", "Rinse"}, {"szPrice_amt", ".50"}});
  addItem("tbPork", {{"Dish_ID", 15}, {"szMenu_nm", "Consult"}, {"1", "Short"}, {"1_Price", "15.00"}});
  addItem("tbPork", {{"Dish_ID", 16},
                     {"szMenu_nm", "Lift"},
                     {"szPrice_amt", "40.00"},
                     {"7", "Serum"},
                     {"7_Price", "3.o0"},
                     {"8", "Foil"},
                     {"8_Price", ".50"},
                     {"9", "Gift"},
                     {"9_Price", "-2.00"}});
  sales::frmSales& w = Sales();
  press(w.cmdPk);
  const struct {
    int k;
    const char* refused;
  } items[] = {
      {11, "\"Tint\" is not rung up: its L-Price \"8.5o\" is not an amount. Correct the price in the menu."},
      {12, "\"Toner\" is not rung up: its S-Price \"abc\" is not an amount. Correct the price in the menu."},
      {13,
       "\"Gloss\" is not rung up: the price \"2.5x\" of its option \"Shine\" is not an amount. Correct the "
       "price in the menu."},
      {17, "\"Trim\" is not rung up: its L-Price \"-25.00\" is below zero. Correct the price in the menu."},
      {18,
       "\"Fringe\" is not rung up: the price \"-1.00\" of its option \"Dry\" is below zero. Correct the "
       "price "
       "in the menu."},
  };
  for (const auto& i : items) {
    messages_->answer(forms::vbOK);
    const size_t before = messages_->shown().size();
    ring(i.k);  // no prompt shows: nobody would answer it
    ASSERT_EQ(messages_->shown().size(), before + 1) << i.k;
    EXPECT_EQ(messages_->shown().back().prompt, i.refused);
    EXPECT_TRUE(lines().isEmpty()) << i.k;
    EXPECT_EQ(w.txtTotal.Text(), "0.00");
  }

  ring(14);
  script_->on(Msgbox(), [] { press(Msgbox().cmdS); });
  ring(15);
  script_->on(Des(), [this] {
    messages_->answer(forms::vbOK);
    press(Des().cmd(7));
    ASSERT_EQ(messages_->shown().size(), 6u);
    EXPECT_EQ(
        messages_->shown().back().prompt,
        "The add-on \"Serum\" is not added: its price \"3.o0\" is not an amount. Correct the price in the "
        "menu.");
    EXPECT_EQ(Des().txtSpl.Text(), "");
    EXPECT_EQ(Des().txtPrice.Text(), "");
    messages_->answer(forms::vbOK);
    press(Des().cmd(9));
    ASSERT_EQ(messages_->shown().size(), 7u);
    EXPECT_EQ(messages_->shown().back().prompt,
              "The add-on \"Gift\" is not added: its price \"-2.00\" is below zero. Correct the price in the "
              "menu.");
    EXPECT_EQ(Des().txtSpl.Text(), "");
    press(Des().cmd(8));
    press(Des().cmdClose);
  });
  ring(16);
  EXPECT_TRUE(script_->done());
  EXPECT_EQ(lines(), QStringList({"1 | Rinse | 0.50 | -", "1 | Consult /Short | 15.00 | -",
                                  "1 | Lift | 40.00 | -", "+ | 1.  Foil | 0.50 | -"}));
  EXPECT_EQ(w.txtTotal.Text(), "56.00");
}

// Whatever mix of merges, quantities, percent off and modifiers, the lines
// add up to the subtotal.
TEST_F(SalesWindow, TheSubtotalIsTheSumOfTheLines) {
  sales::frmSales& w = Sales();
  press(w.cmdLunch);
  ring(1);
  ring(1);
  w.txtQty.setText("03");
  ring(2);
  ring(2);
  press(w.cmdPercent);
  w.txtPercent.setText("33.333");
  ring(3);
  w.txtPercent.setText("");
  press(w.cmdBf);
  script_->on(Des(), [] {
    press(Des().cmd(8));  // Hot Towel, 6.00
    press(Des().cmdClose);
  });
  ring(1);
  press(w.cmdLunch);
  ring(1);
  EXPECT_TRUE(script_->done());
  EXPECT_EQ(lines(), QStringList({"4 | Conditioner | 72.00 | B", "1 | Styling Cream-33.333% | 14.67 | B",
                                  "1 | Men's Cut | 25.00 | -", "+ | 1.  Hot Towel | 6.00 | -",
                                  "3 | Shampoo | 54.00 | B"}));
  rt::Currency sum;
  for (int r = 2; r < w.grdOrderItems.Rows(); ++r) sum += rt::CCur(w.grdOrderItems.TextMatrix(r, 2));
  EXPECT_EQ(rt::Format(sum, "#,##0.00"), w.txtTotal.Text());
}

TEST_F(SalesWindow, AnAddOnFromThePadCountsInTheTotals) {
  sales::frmSales& w = Sales();
  press(w.cmdBf);
  script_->on(Des(), [] {
    EXPECT_EQ(Des().ActiveControl(), &Des().txtSpl) << "the modifier text has the focus";
    press(Des().cmd(8));  // Hot Towel, 6.00
    press(Des().cmdClose);
  });
  ring(1);
  EXPECT_TRUE(script_->done());
  EXPECT_EQ(lines(), QStringList({"1 | Men's Cut | 25.00 | -", "+ | 1.  Hot Towel | 6.00 | -"}));
  EXPECT_EQ(money(), "31.00 / 2.33 / 33.33");
}

// Every priced add-on pressed on the pad is charged, and a count charges
// the modifier that many times, on its line and in the subtotal.
TEST_F(SalesWindow, ThePadChargesEachPricedAddOnAndItsCount) {
  addItem("tbPork", {{"Dish_ID", 9},
                     {"szMenu_nm", "Scalp Ritual"},
                     {"szPrice_amt", "40.00"},
                     {"7", "Mask & Steam"},
                     {"7_Price", "5.00"},
                     {"8", "Trim & Tidy"},
                     {"8_Price", "3.00"},
                     {"12", "Soothing Gel"},
                     {"12_Price", "5.00"}});
  // The pad's buttons by number: 0 "+Qty", 1 to 5 the words, 7 to 44 the
  // add-ons (the keys while the keypad shows).
  const auto button = [](int n) -> forms::CommandButton& {
    forms::CommandButton* const words[] = {&Des().cmdQty,   &Des().Command1, &Des().Command2,
                                           &Des().Command3, &Des().Command4, &Des().Command5};
    return n <= 5 ? *words[n] : Des().cmd(n);
  };
  const struct {
    const char* what;
    std::vector<int> presses;
    const char* line;
    const char* subtotal;
  } cases[] = {
      {"two priced add-ons", {7, 8}, "+ | 1.  Mask & Steam Trim & Tidy | 8.00 | -", "48.00"},
      {"a count of two", {0, 10, 1, 12}, "+ | 2. Add  Soothing Gel | 10.00 | -", "50.00"},
      {"a count of three and two add-ons",
       {0, 11, 7, 8},
       "+ | 3.  Mask & Steam Trim & Tidy | 24.00 | -",
       "64.00"},
  };
  sales::frmSales& w = Sales();
  press(w.cmdPk);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    w.txtTotal.setText("0.00");
    for (int r = w.grdOrderItems.Rows() - 1; r >= 2; --r) w.grdOrderItems.RemoveItem(r);
    script_->on(Des(), [&] {
      for (int n : c.presses) press(button(n));
      press(Des().cmdClose);
    });
    ring(9);
    ASSERT_TRUE(script_->done());
    EXPECT_EQ(lines(), QStringList({"1 | Scalp Ritual | 40.00 | -", c.line}));
    EXPECT_EQ(w.txtTotal.Text().toStdString(), c.subtotal);
  }
}

// A modifier priced in tenths of a cent counts as the cent its line prints,
// when it is rung up and when it is taken off again.
TEST_F(SalesWindow, AModifierPriceCountsAsItsLinePrintsIt) {
  sales::frmSales& w = Sales();
  shell::Infor().txtTOTax1.setText("0");
  press(w.cmdBf);
  script_->on(Des(), [] {
    press(Des().cmd(8));  // Hot Towel
    Des().txtPrice.setText("-1.005");
    press(Des().cmdClose);
  });
  ring(1);
  press(w.cmdLunch);
  ring(1);
  ASSERT_TRUE(script_->done());
  ASSERT_EQ(lines(), QStringList({"1 | Men's Cut | 25.00 | -", "+ | 1.  Hot Towel | -1.01 | -",
                                  "1 | Shampoo | 18.00 | B"}));
  EXPECT_EQ(w.txtTotal.Text().toStdString(), "41.99");  // 25.00 - 1.01 + 18.00
  drive::clickCell(w.grdOrderItems, 3, 0);
  EXPECT_EQ(lines(), QStringList({"1 | Men's Cut | 25.00 | -", "1 | Shampoo | 18.00 | B"}));
  EXPECT_EQ(w.txtTotal.Text().toStdString(), "43.00");
  shell::Infor().txtTOTax1.setText("0.075");
}

TEST_F(SalesWindow, TaxRatesAreReadAtEveryChange) {
  sales::frmSales& w = Sales();
  shell::Infor().txtTOTax1.setText("0.0825");
  w.txtTotal.setText("20");
  EXPECT_EQ(money(), "20.00 / 1.65 / 21.65");
  EXPECT_EQ(w.txtTotal.Alignment(), forms::vbRightJustify);
  // The second-tax box is hidden outside Canada and left as it is.
  w.txtTOTax2.setText("x");
  shell::Infor().txtTOTax1.setText("");
  w.txtTotal.setText("30");
  EXPECT_EQ(money(), "30.00 / 0.00 / 30.00");
  EXPECT_EQ(w.txtTOTax2.Text(), "x");
  // A rate that is no number charges nothing and is told once an opening.
  messages_->answer(forms::vbOK);
  shell::Infor().txtTOTax1.setText("7.5%");
  w.txtTotal.setText("40");
  w.txtTotal.setText("45.5");
  EXPECT_EQ(money(), "45.50 / 0.00 / 45.50");
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_TRUE(messages_->shown()[0].prompt.contains("\"7.5%\""));
  shell::Infor().txtTOTax1.setText("0.075");  // the settings window would refuse to store it
}

// The change is what the tender handed over less the amount due and the tip.
TEST_F(SalesWindow, ChangeFromTheTenderTaken) {
  sales::frmSales& w = Sales();
  shell::Infor().txtTOTax1.setText("0");
  w.txtTotal.setText("17.25");
  const struct {
    const char* what;
    sales::TenderResult tender;
    const char* change;
    const char* shown;  // the tender box, its tag and the coupon box
  } cases[] = {
      {"cash", cash({"20.00"}), "2.75", "20.00 /  / "},
      {"too little cash", cash({"10.00"}), "-7.25", "10.00 /  / "},
      {"cash and a coupon", cash({"20.00", "5.00"}), "7.75", "20.00 /  / 5.00"},
      {"cash and a gift card", cash({"10.00", "", "10.00"}), "2.75", "10.00 /  / "},
      {"cash with a tip", cash({"20.00", "", "", "2.00"}), "0.75", "20.00 /  / "},
      {"a card and a coupon", card("VISA", "12.25", true, {"", "5.00"}), "0.00", "VISA / Card / 5.00"},
  };
  for (const auto& c : cases) {
    tendered(c.tender);
    EXPECT_EQ(w.txtReturn.Text().toStdString(), c.change) << c.what;
    EXPECT_EQ((w.txtGet.Text() + " / " + w.txtGet.Tag() + " / " + w.txtCoupon.Text()).toStdString(), c.shown)
        << c.what;
  }
}

// A line rung up or taken off after a cash tender changes what is owed: the
// change follows the new total.
TEST_F(SalesWindow, TheChangeFollowsATotalChangedAfterTheTender) {
  sales::frmSales& w = Sales();
  shell::Infor().txtTOTax1.setText("0");
  const struct {
    sales::TenderResult tender;
    const char* subtotal;  // after the tender
    const char* change;
  } cases[] = {
      {cash({"20.00"}), "27.25", "-7.25"},
      {cash({"20.00"}), "12.25", "7.75"},
      {cash({"20.00", "5.00"}), "22.25", "2.75"},
  };
  for (const auto& c : cases) {
    w.txtTotal.setText("17.25");
    tendered(c.tender);
    w.txtTotal.setText(c.subtotal);
    EXPECT_EQ(w.txtReturn.Text().toStdString(), c.change) << c.subtotal;
  }
}

// ---- the modifier pad

TEST_F(SalesWindow, TheModifierPadsButtons) {
  sales::frmDes& pad = Des();
  EXPECT_EQ(pad.Width(), 7790);
  EXPECT_EQ(pad.Left(), int(std::lround((float(forms::Screen::Width()) - 7260.0f) / 1.1f)));
  EXPECT_EQ(pad.Top(), int(std::lround((forms::Screen::Height() - 9015) / 2.0)));
  pad.cmd(7).setCaption("Onion");
  pad.cmd(7).setTag("0.50");
  pad.cmd(9).setCaption("1");  // an add-on named as its button's key acts as the key
  pad.cmd(9).setTag("2.00");
  pad.cmd(10).setCaption("Gel");
  pad.cmd(10).setTag("0.00");

  press(pad.Command4);
  press(pad.cmd(7));
  EXPECT_EQ(pad.txtSpl.Text(), "No  Onion");
  EXPECT_EQ(pad.txtPrice.Text(), "0.50");
  press(pad.cmd(9));
  EXPECT_EQ(pad.txtPrice.Text(), "0.501");
  press(pad.cmd(10));
  EXPECT_EQ(pad.txtSpl.Text(), "No  Onion Gel");
  EXPECT_EQ(pad.txtPrice.Text(), "0.501");

  pad.Show();
  ShellFixture::click(pad.txtPrice);  // keypad, digits to the price
  EXPECT_EQ(pad.txtPrice.Text(), "");
  EXPECT_EQ(pad.cmd(10).Caption(), "2");
  EXPECT_EQ(pad.cmd(26).Caption(), "Clear");
  EXPECT_EQ(pad.cmd(9).FontSize(), 18);
  for (int n : {11, 24, 25}) press(pad.cmd(n));
  EXPECT_EQ(pad.txtPrice.Text(), "3.0");
  press(pad.cmdQty);  // "+Qty": digits to the count, one digit at a time
  EXPECT_FALSE(pad.cmdQty.Visible());
  EXPECT_EQ(pad.txtQty.Text(), "");
  for (int n : {9, 10, 24}) press(pad.cmd(n));
  EXPECT_EQ(pad.txtQty.Text(), "2");
  EXPECT_EQ(pad.txtPrice.Text(), "3.0.");
  press(pad.cmd(26));  // Clear: the twelve go blank, and act as add-ons again
  EXPECT_EQ(pad.cmd(9).Caption(), "");
  EXPECT_EQ(pad.cmd(9).FontSize(), 10);
  press(pad.cmd(9));
  EXPECT_EQ(pad.txtSpl.Text(), "No  Onion Gel ");
  EXPECT_EQ(pad.txtPrice.Text(), "3.0.") << "a price that is no amount is left for Enter to refuse";
  ShellFixture::click(pad.txtPrice);
  press(pad.cmd(26));
  press(pad.cmd(9));
  EXPECT_EQ(pad.txtPrice.Text(), "2.00");
  press(pad.cmd(7));
  EXPECT_EQ(pad.txtPrice.Text(), "2.50");
  press(pad.cmdLine);
  EXPECT_EQ(pad.cmdLine.Caption(), "UpLine");
  ShellFixture::click(pad.txtSpl);
  EXPECT_EQ(pad.txtSpl.Text(), "");
}

TEST_F(SalesWindow, APriceThatIsNoAmountKeepsThePadOpen) {
  sales::frmSales& w = Sales();
  press(w.cmdBf);
  script_->on(Des(), [] {
    press(Des().cmd(8));
    Des().txtPrice.setText("1.2.5");
    press(Des().cmdClose);
    EXPECT_TRUE(Des().IsLoaded());
    ShellFixture::click(Des().txtPrice);
    press(Des().cmdClose);
  });
  messages_->answer(forms::vbOK);
  ring(1);
  EXPECT_TRUE(script_->done());
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt, "Invalid price");
  EXPECT_EQ(lines(), QStringList({"1 | Men's Cut | 25.00 | -", "+ | 1.  Hot Towel |  | -"}));
  EXPECT_EQ(w.txtTotal.Text(), "25.00");
}

// ---- from the launcher

TEST_F(SalesWindow, RingUpFromTheLauncher) {
  script_->on(Sales(), [this] {
    sales::frmSales& w = Sales();
    EXPECT_EQ(w.Left(), int(std::lround((forms::Screen::Width() - 15360) / 2.0)));
    EXPECT_EQ(w.cmdDrink.Caption(), "Haircut");
    EXPECT_EQ(w.cmdDiner.Caption(), "Packages");
    EXPECT_EQ(w.command(18).Caption(), "Packages");
    EXPECT_EQ(w.lblChk.Caption(), "#");
    press(w.cmdFR);
    press(w.command(1));
    EXPECT_EQ(lines(), QStringList{"1 | Short Partial Highlights | 75.00 | -"});
    EXPECT_EQ(money(), "75.00 / 5.63 / 80.63");
    EXPECT_FALSE(Des().IsLoaded() && Des().Visible());
    messages_->answer(forms::vbYes);
    press(w.cmdClose);
  });
  script_->on(Msgbox(), [] { press(Msgbox().cmdS); });
  shell::Mbutton().Load();
  ASSERT_TRUE(shell::Mbutton().cmdSales.Enabled());
  press(shell::Mbutton().cmdSales);
  EXPECT_TRUE(script_->done());
  EXPECT_FALSE(Sales().IsLoaded());
  EXPECT_EQ(ticketRows("Ordr.mdb"), 0);

  // The launcher works again, and the window opens afresh.
  script_->on(Sales(), [] {
    EXPECT_TRUE(ticketLines(Sales().grdOrderItems).isEmpty());
    press(Sales().cmdClose);
  });
  press(shell::Mbutton().cmdSales);
  EXPECT_TRUE(script_->done());
  EXPECT_FALSE(Sales().IsLoaded());
}

}  // namespace
