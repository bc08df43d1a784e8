// The order-detail report, the customer list and the menu editor, driven
// as the manager does.
#include <QImage>
#include <QLabel>
#include <QStyle>
#include <QTableView>
#include <QToolButton>

#include "platform/files/paths.h"
#include "reports/frmRepCustmr.h"
#include "reports/frmRepDy.h"
#include "reports/frmRepOrdrDetails.h"
#include "reports/frmSetMenu.h"
#include "shell/Lunessa.h"
#include "shell/frmInfor.h"
#include "tests/forms/grid_drive.h"
#include "tests/reports/report_fixture.h"

namespace {

using reports::RepCustmr;
using reports::RepOrdrDetails;
using reports::SetMenu;

void press(forms::CommandButton& b) {
  b.setValue(true);
}

QStringList columnOf(forms::DBGrid& grid, int col) {
  QStringList texts;
  for (int r = 0; r < grid.Rows(); ++r) texts << grid.CellText(r, col);
  return texts;
}

// ---- order details

class OrderDetails : public ReportFixture {
 protected:
  reports::frmRepOrdrDetails& open() {
    RepOrdrDetails().Show();
    RepOrdrDetails().txtFrom.setText(kShown1);
    RepOrdrDetails().txtTo.setText(kShown2);
    return RepOrdrDetails();
  }
};

TEST_F(OrderDetails, JustOpenedItListsNothing) {
  run(ticketFile(), "UPDATE tblDetail SET Date = ?", {QDate::currentDate().toString(Qt::ISODate)});
  reports::frmRepOrdrDetails& w = RepOrdrDetails();
  w.Show();
  EXPECT_EQ(w.txtAmount.Tag(), "");
  EXPECT_EQ(w.DBGRepDetail.Rows(), 0);
  EXPECT_FALSE(w.txtAmount.Visible());
}

TEST_F(OrderDetails, AllListsThePeriodAndShiftAndTheOtherTypesNothing) {
  reports::frmRepOrdrDetails& w = open();
  press(w.cmdTotal);
  EXPECT_EQ(w.txtAmount.Tag(), "*");
  // The 5:30 line is outside the shift; numbers sort as numbers, 10 before 9.
  EXPECT_EQ(columnOf(w.DBGRepDetail, 1), QStringList({"10", "9", "3", "2", "1"}));
  EXPECT_EQ(w.DBGRepDetail.CellText(0, 0), kShown2);
  EXPECT_EQ(w.DBGRepDetail.CellText(0, 3), "1. Beard Trim");
  for (forms::CommandButton* b : {&w.cmdBar, &w.cmdDel, &w.cmdDineIn, &w.cmdSO, &w.cmdTakeOut}) {
    press(*b);
    EXPECT_EQ(w.DBGRepDetail.Rows(), 0) << b->Caption().toStdString();
  }
  EXPECT_EQ(w.txtAmount.Tag(), "To");
  EXPECT_THROW(w.DBGRepDetail.setText("x"), forms::Error) << "the listing is read only";
}

TEST_F(OrderDetails, TheSortTakesEffectAtTheNextButtonAndEmptyTimesAreRefilled) {
  reports::frmRepOrdrDetails& w = open();
  press(w.cmdTotal);
  w.Option2.setValue(true);  // View by Item
  EXPECT_EQ(w.DBGRepDetail.Tag(), "OptItem");
  EXPECT_EQ(columnOf(w.DBGRepDetail, 1), QStringList({"10", "9", "3", "2", "1"})) << "not yet";
  w.txtSTime.setText("");
  w.txtETime.setText("");
  press(w.cmdTotal);
  EXPECT_EQ(w.txtSTime.Text(), "6:00 AM");
  EXPECT_EQ(w.txtETime.Text(), "11:59 PM");
  EXPECT_EQ(columnOf(w.DBGRepDetail, 3),
            QStringList({"Women's Cut", "Men's Cut", "Colour", "Blow Dry", "1. Beard Trim"}));
  w.Option3.setValue(true);
  EXPECT_FALSE(w.Option2.Value());
  press(w.cmdTotal);
  EXPECT_EQ(w.DBGRepDetail.CellText(0, 0), kShown2);
}

TEST_F(OrderDetails, MoreDetailsLoadsTheWindowThenHandsOverThePeriodWithoutAQuery) {
  run(ticketFile(), "UPDATE tblDetail SET Date = ?", {QDate::currentDate().toString(Qt::ISODate)});
  reports::frmRepDy& sales = reports::RepDy();
  sales.Show();
  sales.txtFrom.setText(kShown1);
  sales.txtTo.setText(kShown2);
  ASSERT_FALSE(RepOrdrDetails().IsLoaded());
  press(sales.cmdDetails);
  reports::frmRepOrdrDetails& w = RepOrdrDetails();
  EXPECT_TRUE(w.IsLoaded());
  EXPECT_EQ(w.txtFrom.Text(), kShown1);
  EXPECT_EQ(w.txtTo.Text(), kShown2);
  EXPECT_EQ(w.DBGRepDetail.Rows(), 0) << "its own first listing, and nothing since";
  // Open already: the hand-off only replaces the dates.
  w.txtAmount.setTag("*");
  sales.txtTo.setText(kShown1);
  press(sales.cmdDetails);
  EXPECT_EQ(w.txtTo.Text(), kShown1);
  EXPECT_EQ(w.DBGRepDetail.Rows(), 0);
}

// A placement or check book the settings windows never write gives the
// report no ticket file: it says so once, and the training tickets never
// pass for the station's.
TEST_F(OrderDetails, ADamagedSettingListsNoTicketsAndSaysWhy) {
  run(installFile("TOrdr.mdb"),
      "INSERT INTO tblDetail (Invoice, Date, Time, Method, szOrder) VALUES"
      " ('77', '2026-12-08', '12:00:00', 'HS', 'Training line')");
  const struct {
    const char* damage;
    const char* says;
  } cases[] = {
      {"UPDATE tbSet SET SetC = 'Other'", "The field SetC of tbSet in Duzo98HS.mdb reads \"Other\""},
      {"UPDATE tbReset SET Reset_txt = 'Ch@ck B00k'",
       "The field Reset_txt of tbReset in Duzo98HS.mdb reads \"Ch@ck B00k\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.damage);
    run(settingsFile(), c.damage);
    messages_->answer(forms::vbOK);
    reports::frmRepOrdrDetails& w = open();
    ASSERT_EQ(messages_->shown().size(), 1u);
    EXPECT_TRUE(messages_->shown()[0].prompt.startsWith("The order-detail report has no database: "));
    EXPECT_TRUE(messages_->shown()[0].prompt.contains(c.says)) << messages_->shown()[0].prompt.toStdString();
    messages_->answer(forms::vbOK);
    press(w.cmdTotal);
    EXPECT_EQ(w.DBGRepDetail.Rows(), 0);
    unloadAllWindows();
    messages_->clear();
    run(settingsFile(), "UPDATE tbSet SET SetC = 'Single'");
  }
}

TEST_F(OrderDetails, APeriodThatDoesNotReadEmptiesTheListingAndSaysWhy) {
  reports::frmRepOrdrDetails& w = open();
  press(w.cmdTotal);
  ASSERT_EQ(w.DBGRepDetail.Rows(), 5);
  w.txtTo.setText("12/32/2026");
  messages_->answer(forms::vbOK);
  press(w.cmdTotal);
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt, "The report could not be run: \"12/32/2026\" is not a date.");
  EXPECT_EQ(w.DBGRepDetail.Rows(), 0);
}

// ---- the customer list

class CustomerList : public ReportFixture {
 protected:
  void SetUp() override {
    ReportFixture::SetUp();
    run(refFile(),
        "INSERT INTO tblCustmr (sPhone_no, sFirst_nm, szCity_nm) VALUES"
        " ('9175550100', 'Vera', 'Queens'), ('1005550100', 'Tom', 'Albany'), ('2125550100', 'Lin', NULL)");
  }
  QString refFile() const { return installFile("Ref.mdb"); }
};

TEST_F(CustomerList, ListsByPhoneNumberAsText) {
  reports::frmRepCustmr& w = RepCustmr();
  w.Show();
  EXPECT_EQ(columnOf(w.DBGrid1, 0), QStringList({"1005550100", "2125550100", "9175550100", ""}));
  EXPECT_FALSE(w.DBGrid1.ColumnHeaders());
  EXPECT_TRUE(w.DBGrid1.RecordSelectors());
  EXPECT_EQ(w.DBGrid1.ColumnCount(), 7);
  EXPECT_EQ(
      w.lblNotes.Caption(),
      "You can't delete an entire line of information . To replace an exiting customer with a new customer,  "
      "simply type the new information over the current information. The new customer's informtaion will be "
      "saved. ");
}

TEST_F(CustomerList, AddsChangesAndDeletesStraightIntoRefMdb) {
  reports::frmRepCustmr& w = RepCustmr();
  w.Show();
  drive::typeInto(w.DBGrid1, 3, 0, "3105550100");
  drive::typeInto(w.DBGrid1, 3, 1, "Ann");
  drive::clickRow(w.DBGrid1, 4);  // down to the new-row line below
  EXPECT_EQ(value(refFile(), "SELECT sFirst_nm FROM tblCustmr WHERE sPhone_no = '3105550100'"), "Ann");
  drive::typeInto(w.DBGrid1, 0, 3, "Troy");
  drive::clickRow(w.DBGrid1, 1);
  EXPECT_EQ(value(refFile(), "SELECT szCity_nm FROM tblCustmr WHERE sPhone_no = '1005550100'"), "Troy");
  drive::pickRow(w.DBGrid1, 2);
  drive::pressKey(w.DBGrid1, Qt::Key_Delete);
  EXPECT_EQ(value(refFile(), "SELECT Count(*) FROM tblCustmr WHERE sPhone_no = '9175550100'"), "0");
  EXPECT_EQ(value(refFile(), "SELECT Count(*) FROM tblCustmr"), "3");
}

TEST_F(CustomerList, FileSharingStillReadsTheLocalFileAndTheIdLabelCloses) {
  run(settingsFile(), "UPDATE tbSet SET SetC = 'File Sharing', SetP = '\\\\Server\\'");
  reports::frmRepCustmr& w = RepCustmr();
  w.Show();
  EXPECT_EQ(w.DBGrid1.Rows(), 4);
  click(w.Label1);
  EXPECT_FALSE(w.IsLoaded());
}

TEST_F(CustomerList, AMissingFileIsNamedOnceAndTheListOpensEmpty) {
  QFile::remove(refFile());
  messages_->answer(forms::vbOK);
  reports::frmRepCustmr& w = RepCustmr();
  w.Show();
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_TRUE(messages_->shown()[0].prompt.contains("Ref.mdb")) << messages_->shown()[0].prompt.toStdString();
  EXPECT_TRUE(w.IsLoaded());
  EXPECT_EQ(w.DBGrid1.Rows(), 0);
}

// ---- the menu editor

class MenuEditor : public ReportFixture {
 protected:
  QString menuFile() const { return installFile("BakHS.mdb"); }
};

TEST_F(MenuEditor, InCaptionModeAButtonShowsItsCaptionAndItsTable) {
  reports::frmSetMenu& w = SetMenu();
  w.Show();
  EXPECT_EQ(w.cmdBeef.Caption(), shell::Infor().txtm7.Text());
  EXPECT_EQ(w.cmdSp.Caption(), "&Notes");
  EXPECT_EQ(w.lblOn.Caption(), "");
  EXPECT_EQ(w.dbList.Rows(), 0);
  EXPECT_THROW(w.dbList.setText("1"), forms::Error) << "nothing can be added before a button";
  press(w.cmdDrink);
  EXPECT_EQ(w.lblOn.Caption(), shell::Infor().txtm0.Text());
  EXPECT_EQ(columnOf(w.dbList, 2).first(), "Women's Cut");
  EXPECT_EQ(w.dbList.CellText(0, 12), "$48.00");
  press(w.cmdSp);
  EXPECT_EQ(w.lblOn.Caption(), "&Notes");
  EXPECT_EQ(w.datList.RecordSource(), "SELECT * FROM tbSpl ORDER BY Dish_ID ASC");
}

// A category name shows as it stands on its button and above the grid; the
// notes button's "&Notes" underlines its N in both places.
TEST_F(MenuEditor, ACategoryNameWithAnAmpersandShowsAsItStands) {
  run(menuFile(), "UPDATE tbSetMain SET t0 = 'Cut & Color'");
  reports::frmSetMenu& w = SetMenu();
  w.Show();
  const auto label = [&] { return qobject_cast<QLabel*>(w.lblOn.widget())->text().toStdString(); };
  EXPECT_EQ(qobject_cast<QToolButton*>(w.cmdDrink.widget())->text().toStdString(), "Cut && Color");
  press(w.cmdDrink);
  EXPECT_EQ(w.lblOn.Caption(), "Cut & Color");
  EXPECT_EQ(label(), "Cut & Color");
  press(w.cmdSp);
  EXPECT_EQ(qobject_cast<QToolButton*>(w.cmdSp.widget())->text().toStdString(), "&Notes");
  EXPECT_EQ(label(), "<u>N</u>otes");
  press(w.cmdDrink);
  EXPECT_EQ(label(), "Cut & Color");
}

TEST_F(MenuEditor, InPictureModeAButtonWearsItsPictureAndTheLabelStaysEmpty) {
  const QString pics = QString::fromStdString(files::installDir()) + "Pics/";
  ASSERT_TRUE(QDir().mkpath(pics));
  QImage picture(32, 32, QImage::Format_RGB32);
  picture.fill(Qt::red);
  ASSERT_TRUE(picture.save(pics + "men.png"));
  run(menuFile(),
      "UPDATE tbSetMain SET [False] = '1.Default', p7 = 'C:\\Program Files\\Dovrel POS 4\\Pics\\men.png'");
  reports::frmSetMenu& w = SetMenu();
  w.Show();
  EXPECT_EQ(w.cmdBeef.Picture(), "C:\\Program Files\\Dovrel POS 4\\Pics\\men.png");
  EXPECT_EQ(w.cmdBeef.Caption(), "");
  // A slot without a picture shows its caption rather than nothing.
  EXPECT_EQ(w.cmdPork.Picture(), "");
  EXPECT_EQ(w.cmdPork.Caption(), shell::Infor().txtm10.Text());
  press(w.cmdBeef);
  EXPECT_EQ(w.lblOn.Caption(), "");
  EXPECT_EQ(w.datList.RecordSource(), "SELECT * FROM tbBeef ORDER BY Dish_ID ASC");
}

// A price column shows every digit of a price: a price too wide for the
// column is drawn whole in a smaller face, never cut off behind "...". The
// face is the one the grid hands the view for the cell, and the text must
// fit the room the view's style gives a cell's text.
TEST_F(MenuEditor, APriceColumnShowsEveryDigitOfAPrice) {
  run(menuFile(),
      "UPDATE tbDrink SET szPriceS_amt = '1234.56', szPriceL_amt = '999999.99' WHERE Dish_ID = 1");
  reports::frmSetMenu& w = SetMenu();
  w.Show();
  press(w.cmdDrink);
  auto* view = qobject_cast<QTableView*>(w.dbList.widget());
  ASSERT_TRUE(view);
  const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
  const struct {
    int col;
    const char* shown;
    bool smaller;
  } cells[] = {
      {10, "$1,234.56", true}, {13, "$999,999.99", true}, {12, "$48.00", false}, {2, "Women's Cut", false}};
  for (const auto& c : cells) {
    SCOPED_TRACE(c.shown);
    const QModelIndex cell = view->model()->index(0, c.col);
    EXPECT_EQ(cell.data(Qt::DisplayRole).toString().toStdString(), c.shown);
    const QVariant given = cell.data(Qt::FontRole);
    const QFont face = given.isValid() ? given.value<QFont>() : view->font();
    EXPECT_LE(QFontMetrics(face).horizontalAdvance(c.shown), view->visualRect(cell).width() - 2 * margin);
    EXPECT_EQ(face.pointSizeF() < view->font().pointSizeF(), c.smaller);
    EXPECT_EQ(face.bold(), view->font().bold());
  }
}

TEST_F(MenuEditor, TheRowLinesGoFromDarkToNoneToLightToNone) {
  reports::frmSetMenu& w = SetMenu();
  w.Show();
  EXPECT_EQ(w.dbList.RowDividerStyle(), 2);
  std::vector<int> styles;
  for (int i = 0; i < 3; ++i) {
    click(w.imgRDS);
    styles.push_back(w.dbList.RowDividerStyle());
  }
  EXPECT_EQ(styles, std::vector<int>({0, 6, 0}));
}

TEST_F(MenuEditor, ANewRowSetsOnlyTheShownFieldsAndAPriceEditStays) {
  run(installFile("Duzo98HS.mdb"),
      "UPDATE tbSet SET szSize1 = 'Small', szSize2 = 'Medium', szSize3 = 'Large'");
  reports::frmSetMenu& w = SetMenu();
  w.Show();
  EXPECT_EQ(w.txtSprice.Text(), "M-");
  EXPECT_EQ(w.txtMprice.Text(), "L-");
  EXPECT_EQ(w.txtPrice.Text(), "");
  EXPECT_EQ(w.txtLprice.Text(), "XL-");
  press(w.cmdDrink);
  const int newLine = w.dbList.Rows() - 1;
  drive::typeInto(w.dbList, newLine, 0, "30");
  drive::typeInto(w.dbList, newLine, 2, "Gloss");
  drive::typeInto(w.dbList, newLine, 12, "12.00");
  drive::typeInto(w.dbList, 0, 10, "40.00");  // leaves the new row: it is stored
  drive::clickRow(w.dbList, 1);
  EXPECT_EQ(value(menuFile(),
                  "SELECT [7] || '|' || ifnull(szDes, '<null>') || '|' || ifnull([1_Price], '<null>') ||"
                  " '|' || szPrice_amt FROM tbDrink WHERE szMenu_nm = 'Gloss'"),
            "- |<null>|<null>|12.00");
  EXPECT_EQ(value(menuFile(), "SELECT szPriceS_amt FROM tbDrink WHERE Dish_ID = 1"), "40.00");
  forms::Unload(w);
  SetMenu().Show();
  press(SetMenu().cmdDrink);
  EXPECT_EQ(SetMenu().dbList.CellText(0, 10), "$40.00");
  EXPECT_EQ(value(installFile("Duzo98HS.mdb"), "SELECT szSize1 FROM tbSet"), "Small")
      << "the boxes store nothing";
}

// A price that is not an amount, or an ID or a spice level that is not a
// number, would leave the item off the sales screen or sell it for nothing:
// the grid refuses it and the row stays in edit. An emptied price is "no
// such size".
TEST_F(MenuEditor, APriceThatIsNoAmountAndAnIdThatIsNoNumberAreRefused) {
  reports::frmSetMenu& w = SetMenu();
  w.Show();
  press(w.cmdDrink);
  const char* row =
      "SELECT quote(Dish_ID) || '|' || quote(Option) || '|' || szPriceS_amt || '|' || szPrice_amt"
      " FROM tbDrink WHERE szMenu_nm = 'Women''s Cut'";
  const QString before = value(menuFile(), row);
  ASSERT_EQ(before, "1|0|35.00|48.00");
  const struct {
    int col;
    const char* typed;
  } refused[] = {{10, "8.5o"}, {12, "abc"}, {0, "5x"}, {9, "hot"}};
  for (const auto& c : refused) {
    SCOPED_TRACE(c.typed);
    messages_->clear();
    drive::typeInto(w.dbList, 0, c.col, c.typed);
    messages_->answer(forms::vbOK);
    drive::clickRow(w.dbList, 1);
    ASSERT_EQ(messages_->shown().size(), 1u);
    EXPECT_TRUE(messages_->shown()[0].prompt.contains(c.typed)) << messages_->shown()[0].prompt.toStdString();
    EXPECT_EQ(w.dbList.Row(), 0);
    EXPECT_TRUE(w.dbList.DataChanged());
    EXPECT_EQ(value(menuFile(), row), before);
    drive::pressKey(w.dbList, Qt::Key_Escape);
  }
  drive::typeInto(w.dbList, 0, 11, "");
  drive::clickRow(w.dbList, 1);
  EXPECT_EQ(value(menuFile(), "SELECT quote(szPriceM_amt) FROM tbDrink WHERE Dish_ID = 1"), "NULL");
  EXPECT_EQ(messages_->shown().size(), 1u);
}

// A file that cannot be read is named once as the editor opens, also when
// the settings window its faces read uses it too, and so is each file that
// settings window cannot read. Each case keeps the damage of those before.
TEST_F(MenuEditor, AFileThatCannotBeReadIsNamedOnceAsItOpens) {
  const struct {
    const char* what;
    const char* file;
    const char* sql;
    const char* says;
  } cases[] = {
      {"no category faces", "BakHS.mdb", "DROP TABLE tbSetMain", "BakHS.mdb has no table tbSetMain."},
      {"and no store lines", "Duzo98HS.mdb", "DROP TABLE tbTel",
       "BakHS.mdb has no table tbSetMain.\nDuzo98HS.mdb has no table tbTel."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    run(installFile(c.file), c.sql);
    messages_->answer(forms::vbOK);
    SetMenu().Show();
    ASSERT_EQ(messages_->shown().size(), 1u);
    EXPECT_EQ(messages_->shown()[0].prompt, c.says);
    unloadAllWindows();
    messages_->clear();
  }
}

TEST_F(MenuEditor, TheSettingsMenuOpensIt) {
  shell::MainWindow().Show();
  ASSERT_TRUE(shell::MainWindow().mmMenus.Enabled());
  shell::MainWindow().mmMenus.action()->trigger();
  EXPECT_TRUE(SetMenu().IsLoaded());
  shell::MainWindow().mmCustmrList.action()->trigger();
  EXPECT_TRUE(RepCustmr().IsLoaded());
}

}  // namespace
