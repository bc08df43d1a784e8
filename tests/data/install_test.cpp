#include "data/install.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QVariant>
#include <cerrno>
#include <cstring>
#include <map>
#include <vector>

#include "data/install_detail.h"
#include "tests/readonly_guard.h"

namespace {

// A read-only look into one database file; every query runs on its own.
class Db {
 public:
  explicit Db(const QString& path) {
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
  }
  ~Db() { sqlite3_close(db_); }
  Db(const Db&) = delete;
  Db& operator=(const Db&) = delete;

  // Each row of the result as a list of values; a Null is an invalid QVariant.
  std::vector<std::vector<QVariant>> rows(const QString& sql) const {
    std::vector<std::vector<QVariant>> result;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
      ADD_FAILURE() << sql.toStdString() << ": " << sqlite3_errmsg(db_);
      return result;
    }
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      std::vector<QVariant> row;
      for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
        switch (sqlite3_column_type(stmt, i)) {
          case SQLITE_NULL:
            row.emplace_back();
            break;
          case SQLITE_INTEGER:
            row.emplace_back(static_cast<qlonglong>(sqlite3_column_int64(stmt, i)));
            break;
          default:
            row.emplace_back(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i))));
        }
      }
      result.push_back(row);
    }
    sqlite3_finalize(stmt);
    return result;
  }
  QVariant value(const QString& sql) const {
    const auto r = rows(sql);
    return r.empty() || r[0].empty() ? QVariant() : r[0][0];
  }
  QString text(const QString& sql) const { return value(sql).toString(); }
  bool exec(const QString& sql) const {
    return sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
  }
  QStringList tables() const {
    QStringList names;
    for (const auto& row :
         rows("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'"))
      names << row[0].toString();
    names.sort();
    return names;
  }
  QStringList columns(const QString& table) const {
    QStringList names;
    for (const auto& row : rows(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)))
      names << row[1].toString();
    return names;
  }

 private:
  sqlite3* db_ = nullptr;
};

QStringList numbered(const QString& pattern, int from, int to) {
  QStringList names;
  for (int n = from; n <= to; ++n) names << pattern.arg(n);
  return names;
}

const QStringList kMenuTables = {"tbDrink",      "tbAppetizer", "tbFriedRice", "tbLoMein",  "tbVDishes",
                                 "tbVegetables", "tbPoultry",   "tbBeef",      "tbSeafood", "tbSoup",
                                 "tbPork",       "tbLamb",      "tbLunch",     "tbDinner",  "tbSpl"};

QStringList menuColumns() {
  return QStringList{"Dish_ID",      "szMenu_ID",    "szMenu_nm",   "szDes",       "Option",
                     "szPriceS_amt", "szPriceM_amt", "szPrice_amt", "szPriceL_amt"} +
         numbered("%1", 1, 6) + numbered("%1_Price", 1, 6) + numbered("%1", 7, 44) +
         numbered("%1_Price", 7, 44);
}

const QStringList kSlots = {"900", "930", "1000", "1030", "1100", "1130", "1200", "1230",
                            "100", "130", "200",  "230",  "300",  "330",  "400",  "430",
                            "500", "530", "600",  "630",  "700",  "730"};

class InstallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root.isValid());
    install = root.filePath("drive_c/Program Files/Dovrel POS 4");
  }
  QString file(const QString& name) const { return QDir(install).filePath(name); }

  QTemporaryDir root;
  QString install;
};

TEST_F(InstallTest, FreshRootGetsEveryFileWithItsTables) {
  const data::InstallReport report = data::installDataRoot(install);
  ASSERT_TRUE(report.ok) << report.errors.join("; ").toStdString();
  EXPECT_EQ(report.created, data::databaseFiles());
  EXPECT_TRUE(report.kept.isEmpty());
  EXPECT_TRUE(report.newRoot);
  EXPECT_EQ(data::installNotice(report, install), QString()) << "a new root is not told of missing files";

  const QStringList ticketTables = {"tblDetail", "tblDy_Order"};
  const std::map<QString, QStringList> expected = {
      {"Ordr.mdb", ticketTables},
      {"TOrdr.mdb", ticketTables},
      {"BpOrdr.mdb", ticketTables},
      {"BakHS.mdb", kMenuTables + QStringList{"tbSetMain", "tbSetScrn", "tbSetInfor", "tbSetFreePop"}},
      {"Duzo98HS.mdb", {"tbSet", "tbReset", "tabPword", "tbTel", "tbRemov"}},
      {"Infor.mdb", {"tbEmplo"}},
      {"Remv.mdb", {"tblRemv"}},
      {"SalonReserv.mdb", {"tblSalonReserv"}},
      {"Ref.mdb", {"tblCustmr"}},
      {"CustmrTr.mdb", {"tblCustmrTr"}},
      {"Fav.mdb", {"tbFav"}},
  };
  ASSERT_EQ(expected.size(), static_cast<size_t>(data::databaseFiles().size()));
  for (const auto& [name, tables] : expected) {
    ASSERT_TRUE(QFile::exists(file(name))) << name.toStdString();
    Db db(file(name));
    QStringList want = tables;
    want.sort();
    EXPECT_EQ(db.tables(), want) << name.toStdString();
    // Rollback journal: the shared-folder mode puts files on a network share.
    EXPECT_EQ(db.text("PRAGMA journal_mode"), "delete") << name.toStdString();
  }
  // The files are made like any other file of the user, so that stations
  // sharing the folder can open them.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  for (const QString& name : data::databaseFiles()) {
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(file(name)).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask) << name.toStdString();
  }
  // Nothing else is left in the folder (no temporary or journal files).
  QStringList present = QDir(install).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  QStringList want = data::databaseFiles();
  present.sort();
  want.sort();
  EXPECT_EQ(present, want);
  // Nor beside it: the folder the install was built in is gone.
  EXPECT_EQ(QDir(root.filePath("drive_c/Program Files"))
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"Dovrel POS 4"});
}

TEST_F(InstallTest, KeyTablesHaveTheirColumnsInOrder) {
  ASSERT_TRUE(data::installDataRoot(install).ok);
  struct Case {
    const char* file;
    const char* table;
    QStringList columns;
  };
  const QStringList ticketHeader = {"TO_Ord_ID", "Inv",          "SubTotal",      "Tax",
                                    "Total",     "Time",         "Date",          "ID",
                                    "5",         "Method",       "szCard_amt",    "szType_Card",
                                    "Receive",   "szCoupon_amt", "szNumber_Card", "szExp_Card",
                                    "1",         "szGift_amt",   "szTip_amt"};
  const QStringList ticketLine = {"Invoice", "Date", "Time", "ID", "Method", "Qty", "szOrder", "Price"};
  const std::vector<Case> cases = {
      {"Ordr.mdb", "tblDy_Order", ticketHeader},
      {"TOrdr.mdb", "tblDy_Order", ticketHeader},
      {"BpOrdr.mdb", "tblDy_Order", ticketHeader},
      {"Ordr.mdb", "tblDetail", ticketLine},
      {"BpOrdr.mdb", "tblDetail", ticketLine},
      {"SalonReserv.mdb", "tblSalonReserv", QStringList{"szDate_da", "szName_na"} + kSlots},
      {"Duzo98HS.mdb", "tbSet",
       QStringList{"ID",   "SetC",   "SetP",    "SetO",  "Tax",   "TaxFed",      "setL",  "SetB",
                   "SetM", "szSort", "cmdEtoC", "setF",  "Plan",  "szSectnAuto", "szMsg", "KB",
                   "Port", "Port2",  "Port3",   "Port4", "Port5", "Port6"} +
           QStringList{"szType", "szType2", "szType3", "szType4", "szType5"} + numbered("szPath%1", 1, 5) +
           QStringList{"szScrnA", "szScrnB", "szScrnD", "szScrnS"} + numbered("chkPtr%1", 2, 5) +
           QStringList{"ecd", "szSize1", "szSize2", "szSize3"}},
      {"Duzo98HS.mdb", "tbReset", {"Reset_txt"}},
      {"Duzo98HS.mdb", "tabPword", {"szID_nu", "ItmDeSecl"}},
      {"Duzo98HS.mdb", "tbTel", numbered("t%1", 0, 14)},
      {"Duzo98HS.mdb", "tbRemov", numbered("R%1", 1, 12)},
      {"BakHS.mdb", "tbSetMain", numbered("t%1", 0, 13) + numbered("p%1", 0, 13) + QStringList{"False"}},
      {"BakHS.mdb", "tbSetScrn", numbered("scrn%1", 0, 11)},
      {"BakHS.mdb", "tbSetInfor",
       QStringList{"Line1", "Line2", "Line3", "Notes"} + numbered("Notes%1", 1, 5)},
      {"BakHS.mdb", "tbSetFreePop", numbered("t%1", 0, 12)},
      {"Infor.mdb", "tbEmplo",
       QStringList{"szID_no", "sFirst_nm", "szStreet_ad", "szCity_nm", "sState_cd", "sZip_cd", "sPhone_no",
                   "sSS_no", "sBrith_da", "szHired_da", "szTerm_da", "szRate", "szType_tx", "szRoom_nm",
                   "szLevel_nu", "szPics", "szTender"} +
           numbered("%1", 1, 15)},
      {"Remv.mdb",
       "tblRemv",
       {"szType_out", "szWaiter_out", "szItems_out", "szPrice_Out", "szReason_out", "szManager_out",
        "szDate_out", "szTime_out"}},
      {"Ref.mdb",
       "tblCustmr",
       {"sPhone_no", "sFirst_nm", "szStreet_ad", "szCity_nm", "sState_cd", "sZip_cd", "szNotes_nm"}},
      {"Fav.mdb", "tbFav", {"szMenu_id", "szNum_nm"}},
  };
  for (const Case& c : cases) {
    Db db(file(c.file));
    EXPECT_EQ(db.columns(c.table), c.columns) << c.file << " " << c.table;
  }
  Db menu(file("BakHS.mdb"));
  for (const QString& table : kMenuTables)
    EXPECT_EQ(menu.columns(table), menuColumns()) << table.toStdString();
}

TEST_F(InstallTest, ColumnDefaultsFillNewRows) {
  ASSERT_TRUE(data::installDataRoot(install).ok);
  // A ticket header stored without a tender reads "0" (not paid) and gets the
  // next automatic number.
  Db tickets(file("Ordr.mdb"));
  ASSERT_TRUE(tickets.exec("INSERT INTO tblDy_Order (Method) VALUES ('HS')"));
  ASSERT_TRUE(tickets.exec("INSERT INTO tblDy_Order (Method) VALUES ('HS')"));
  EXPECT_EQ(tickets.text("SELECT Receive FROM tblDy_Order WHERE TO_Ord_ID = 1"), "0");
  EXPECT_EQ(tickets.value("SELECT max(TO_Ord_ID) FROM tblDy_Order").toLongLong(), 2);

  // A menu row added by the editor leaves the first add-on unset ("- "), so the
  // modifier pad stays closed, and the options without a value.
  Db menu(file("BakHS.mdb"));
  ASSERT_TRUE(menu.exec("INSERT INTO tbBeef (Dish_ID, szMenu_nm) VALUES (99, 'Test')"));
  const auto row = menu.rows("SELECT \"7\", \"8\", \"1\", \"7_Price\" FROM tbBeef WHERE Dish_ID = 99");
  ASSERT_EQ(row.size(), 1u);
  EXPECT_EQ(row[0][0].toString(), "- ");
  EXPECT_FALSE(row[0][1].isValid());
  EXPECT_FALSE(row[0][2].isValid());
  EXPECT_FALSE(row[0][3].isValid());

  // A new staff row starts with every option box unticked.
  Db staff(file("Infor.mdb"));
  ASSERT_TRUE(staff.exec("INSERT INTO tbEmplo (szID_no) VALUES ('9999')"));
  EXPECT_EQ(staff.value("SELECT \"1\" + \"15\" + szTender FROM tbEmplo WHERE szID_no = '9999'").toLongLong(),
            0);
}

TEST_F(InstallTest, SettingsRowsHoldTheirFirstInstallValues) {
  ASSERT_TRUE(data::installDataRoot(install).ok);
  struct OneRow {
    const char* file;
    const char* table;
  } oneRowTables[] = {{"Duzo98HS.mdb", "tbSet"},  {"Duzo98HS.mdb", "tbReset"}, {"Duzo98HS.mdb", "tabPword"},
                      {"Duzo98HS.mdb", "tbTel"},  {"Duzo98HS.mdb", "tbRemov"}, {"BakHS.mdb", "tbSetMain"},
                      {"BakHS.mdb", "tbSetScrn"}, {"BakHS.mdb", "tbSetInfor"}, {"BakHS.mdb", "tbSetFreePop"}};
  for (const OneRow& t : oneRowTables) {
    Db db(file(t.file));
    EXPECT_EQ(db.value(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(t.table)).toLongLong(), 1)
        << t.table;
  }

  struct Value {
    const char* file;
    const char* sql;
    const char* expected;
  } values[] = {
      {"Duzo98HS.mdb", "SELECT SetC FROM tbSet ORDER BY ID ASC", "Single"},
      {"Duzo98HS.mdb", "SELECT SetP FROM tbSet ORDER BY ID ASC", "-"},
      {"Duzo98HS.mdb", "SELECT SetO FROM tbSet ORDER BY ID ASC", "Dovrel POS 4\\"},
      {"Duzo98HS.mdb", "SELECT SetM FROM tbSet", "-"},
      {"Duzo98HS.mdb", "SELECT TaxFed FROM tbSet", "0.075"},
      {"Duzo98HS.mdb", "SELECT Tax FROM tbSet", "0.075"},
      {"Duzo98HS.mdb", "SELECT szSize1 || '|' || szSize2 || '|' || szSize3 FROM tbSet",
       "Short |Medium |Extra Long "},
      // The second-language box ticked: a new station shows English only.
      {"Duzo98HS.mdb", "SELECT cmdEtoC FROM tbSet", "1"},
      {"Duzo98HS.mdb", "SELECT Reset_txt FROM tbReset", "Check Book"},
      {"Duzo98HS.mdb", "SELECT szID_nu || ItmDeSecl FROM tabPword", "00"},
      {"BakHS.mdb", "SELECT \"False\" FROM tbSetMain", "2.Custom"},
      {"BakHS.mdb", "SELECT t12 FROM tbSetFreePop", "Auto"},
      {"BakHS.mdb", "SELECT Line1 || '|' || Line2 || '|' || Line3 FROM tbSetInfor",
       "Company Name|Tel: |Fax: "},
      {"BakHS.mdb",
       "SELECT Notes || '|' || Notes1 || '|' || Notes2 || '|' || Notes3 || '|' || Notes4 || '|' || Notes5 "
       "FROM tbSetInfor",
       "Ending Notes|Ending Notes|Ending Notes|Ending Notes|Ending Notes|Ending Notes"},
  };
  for (const Value& v : values) {
    Db db(file(v.file));
    EXPECT_EQ(db.text(v.sql), v.expected) << v.sql;
  }

  // Twelve distinct, non-empty removal reasons.
  Db settings(file("Duzo98HS.mdb"));
  const auto reasons = settings.rows("SELECT " + numbered("R%1", 1, 12).join(", ") + " FROM tbRemov");
  ASSERT_EQ(reasons.size(), 1u);
  QSet<QString> distinct;
  for (const QVariant& r : reasons[0]) {
    EXPECT_FALSE(r.toString().trimmed().isEmpty());
    distinct.insert(r.toString());
  }
  EXPECT_EQ(distinct.size(), 12);

  // Caption mode: every slot has a caption and a routing code.
  Db bak(file("BakHS.mdb"));
  const auto faces = bak.rows("SELECT " + numbered("t%1", 0, 13).join(", ") + " FROM tbSetMain");
  ASSERT_EQ(faces.size(), 1u);
  for (const QVariant& caption : faces[0]) EXPECT_FALSE(caption.toString().isEmpty());
  const auto routing = bak.rows("SELECT " + numbered("scrn%1", 0, 11).join(", ") + " FROM tbSetScrn");
  for (const QVariant& code : routing[0]) EXPECT_FALSE(code.toString().isEmpty());

  // The ticket files start empty.
  for (const char* name : {"Ordr.mdb", "TOrdr.mdb", "BpOrdr.mdb"}) {
    Db db(file(name));
    EXPECT_EQ(
        db.value("SELECT (SELECT count(*) FROM tblDy_Order) + (SELECT count(*) FROM tblDetail)").toLongLong(),
        0)
        << name;
  }
}

TEST_F(InstallTest, SampleStaffHasOneManagerAndTwoStylists) {
  ASSERT_TRUE(data::installDataRoot(install).ok);
  Db staff(file("Infor.mdb"));
  const QString boxes = numbered("\"%1\"", 1, 15).join(" + ");
  const auto rows =
      staff.rows("SELECT szID_no, sFirst_nm, szLevel_nu, " + boxes + " FROM tbEmplo ORDER BY szID_no ASC");
  ASSERT_EQ(rows.size(), 3u);
  std::map<QString, int> levels;
  for (const auto& row : rows) {
    const QString code = row[0].toString();
    const QString level = row[2].toString();
    ++levels[level];
    EXPECT_FALSE(row[1].toString().isEmpty()) << code.toStdString();
    // The manager check matches codes by prefix, so no code may begin with another.
    for (const auto& other : rows) {
      if (&other != &row) {
        EXPECT_FALSE(other[0].toString().startsWith(code)) << code.toStdString();
      }
    }
    // The staff editor ticks all fifteen boxes for Level 3; Level 1 has none.
    if (level == "Level 3") {
      EXPECT_EQ(row[3].toLongLong(), 15);
    } else if (level == "Level 1") {
      EXPECT_EQ(row[3].toLongLong(), 0);
    }
  }
  EXPECT_EQ(levels["Level 3"], 1);
  EXPECT_EQ(levels["Level 2"], 1);
  EXPECT_EQ(levels["Level 1"], 1);
  EXPECT_EQ(staff.text("SELECT szLevel_nu FROM tbEmplo WHERE szID_no = '1234'"), "Level 3");
  EXPECT_EQ(staff.text("SELECT sFirst_nm FROM tbEmplo WHERE szID_no = '1234'"), "Mara");
}

TEST_F(InstallTest, SampleMenuRingsUpSizesOptionsAndAddOns) {
  ASSERT_TRUE(data::installDataRoot(install).ok);
  Db menu(file("BakHS.mdb"));
  int multiSize = 0, withOptions = 0, withAddOns = 0;
  for (const QString& table : kMenuTables) {
    const auto items =
        menu.rows(QStringLiteral("SELECT Dish_ID, szMenu_nm, szPriceS_amt, szPriceM_amt, szPrice_amt, "
                                 "szPriceL_amt, \"1\", \"1_Price\", \"7\", \"7_Price\" FROM \"%1\"")
                      .arg(table));
    EXPECT_FALSE(items.empty()) << table.toStdString();
    QSet<qlonglong> ids;
    for (const auto& item : items) {
      const qlonglong id = item[0].toLongLong();
      // Only item numbers 1 to 120 can be shown on the item pages.
      EXPECT_TRUE(id >= 1 && id <= 120) << table.toStdString() << " " << id;
      EXPECT_FALSE(ids.contains(id)) << table.toStdString() << " " << id;
      ids.insert(id);
      EXPECT_FALSE(item[1].toString().isEmpty());
      int priced = 0;  // a size is priced when its text compares greater than "0.00"
      for (int i = 2; i <= 5; ++i) priced += item[i].toString() > QStringLiteral("0.00") ? 1 : 0;
      if (priced > 1) ++multiSize;
      if (item[6].toString() != "-") {
        ++withOptions;
        EXPECT_TRUE(item[7].isValid()) << item[1].toString().toStdString();
      }
      if (item[8].toString() != "- ") {
        ++withAddOns;
        EXPECT_GT(item[9].toString(), QStringLiteral("0.00")) << item[1].toString().toStdString();
      }
    }
  }
  EXPECT_GT(multiSize, 0);
  EXPECT_GT(withOptions, 0);
  EXPECT_GT(withAddOns, 0);
}

TEST_F(InstallTest, SecondInstallNeverTouchesExistingFiles) {
  ASSERT_TRUE(data::installDataRoot(install).ok);
  {
    Db settings(file("Duzo98HS.mdb"));
    ASSERT_TRUE(settings.exec("UPDATE tbSet SET SetC = 'File Sharing'"));
  }
  {
    QFile ordr(file("Ordr.mdb"));
    ASSERT_TRUE(ordr.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ordr.write("not a database");
  }
  // A file under another letter case is the same file.
  ASSERT_TRUE(QFile::rename(file("Infor.mdb"), file("infor.MDB")));
  ASSERT_TRUE(QFile::remove(file("Fav.mdb")));
  QFile ref(file("Ref.mdb"));
  ASSERT_TRUE(ref.open(QIODevice::ReadOnly));
  const QByteArray refBytes = ref.readAll();
  ref.close();

  const data::InstallReport again = data::installDataRoot(install);
  ASSERT_TRUE(again.ok) << again.errors.join("; ").toStdString();
  EXPECT_EQ(again.created, QStringList{"Fav.mdb"});
  EXPECT_EQ(again.kept.size(), data::databaseFiles().size() - 1);

  EXPECT_EQ(Db(file("Duzo98HS.mdb")).text("SELECT SetC FROM tbSet"), "File Sharing");
  QFile ordr(file("Ordr.mdb"));
  ASSERT_TRUE(ordr.open(QIODevice::ReadOnly));
  EXPECT_EQ(ordr.readAll(), QByteArray("not a database"));
  ASSERT_TRUE(ref.open(QIODevice::ReadOnly));
  EXPECT_EQ(ref.readAll(), refBytes);
  EXPECT_FALSE(QDir(install).entryList().contains("Infor.mdb"));
  EXPECT_EQ(Db(file("Fav.mdb")).tables(), QStringList{"tbFav"});
}

// A root that has its install folder never gets the sample salon again: a
// lost settings, menu or staff file stays missing and is named at start, so
// the salon does not sell at sample prices; a lost file of what the program
// records is made anew from its tables alone, and told.
TEST_F(InstallTest, AFileMissingFromAnExistingRootIsNamedAndOnlyRecordsAreMadeAnew) {
  ASSERT_TRUE(data::installDataRoot(install).ok);
  struct Case {
    QStringList removed;
    QStringList missing;  // not made anew
    QStringList created;  // made anew, empty
  };
  const std::vector<Case> cases = {
      {{"BakHS.mdb"}, {"BakHS.mdb"}, {}},
      {{"Duzo98HS.mdb", "Infor.mdb"}, {"Duzo98HS.mdb", "Infor.mdb"}, {}},
      {{"Ordr.mdb"}, {}, {"Ordr.mdb"}},
      {{"Remv.mdb", "Fav.mdb", "BakHS.mdb"}, {"BakHS.mdb"}, {"Fav.mdb", "Remv.mdb"}},
  };
  for (const Case& c : cases) {
    const std::string label = c.removed.join(", ").toStdString();
    for (const QString& name : c.removed)
      ASSERT_TRUE(QFile::rename(file(name), root.filePath(name))) << label;

    const data::InstallReport report = data::installDataRoot(install);
    EXPECT_TRUE(report.ok) << label << ": " << report.errors.join("; ").toStdString();
    EXPECT_FALSE(report.newRoot) << label;
    EXPECT_EQ(report.missing, c.missing) << label;
    EXPECT_EQ(report.created, c.created) << label;
    for (const QString& name : c.missing) EXPECT_FALSE(QFile::exists(file(name))) << name.toStdString();
    for (const QString& name : c.created) {
      // The tables and no row: no sample data, no first-install rows.
      Db db(file(name));
      EXPECT_FALSE(db.tables().isEmpty()) << name.toStdString();
      for (const QString& table : db.tables())
        EXPECT_EQ(db.value(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table)).toLongLong(), 0)
            << name.toStdString() << " " << table.toStdString();
    }

    const QString notice = data::installNotice(report, install);
    EXPECT_TRUE(notice.startsWith("Files were missing from the install folder " + install + ":"))
        << notice.toStdString();
    for (const QString& name : c.missing) {
      EXPECT_TRUE(notice.contains(name + " (") && notice.contains("is not made anew with sample data"))
          << notice.toStdString();
    }
    for (const QString& name : c.created) {
      EXPECT_TRUE(notice.contains(name + " (")) << notice.toStdString();
    }
    if (c.created.contains("Ordr.mdb")) {
      EXPECT_TRUE(notice.contains("Ordr.mdb (the tickets) was made anew, empty;")) << notice.toStdString();
    }

    // The salon's own copies go back; the next start has nothing to tell.
    for (const QString& name : c.missing) ASSERT_TRUE(QFile::rename(root.filePath(name), file(name)));
    const data::InstallReport again = data::installDataRoot(install);
    EXPECT_EQ(data::installNotice(again, install), QString()) << label;
  }
}

// An install folder with none of its files (a share that is not mounted, a
// folder emptied by hand) is no new root: it gets no sample salon.
TEST_F(InstallTest, AnEmptyInstallFolderGetsNoSampleSalon) {
  ASSERT_TRUE(QDir().mkpath(install));
  const data::InstallReport report = data::installDataRoot(install);
  ASSERT_TRUE(report.ok) << report.errors.join("; ").toStdString();
  EXPECT_FALSE(report.newRoot);
  EXPECT_EQ(report.missing, (QStringList{"Duzo98HS.mdb", "BakHS.mdb", "Infor.mdb"}));
  for (const QString& name : report.missing) EXPECT_TRUE(data::isSetupFile(name));
  EXPECT_EQ(report.created.size() + report.missing.size(), data::databaseFiles().size());
  EXPECT_FALSE(QFile::exists(file("BakHS.mdb")));
}

// A first start cut short leaves no install folder, only the folder it was
// building beside it; the next start removes that and installs afresh.
TEST_F(InstallTest, AFirstInstallCutShortIsDoneAgainAtTheNextStart) {
  const QString parent = root.filePath("drive_c/Program Files");
  const QString building = parent + "/.Dovrel POS 4.new-0123456789abcdef";
  ASSERT_TRUE(QDir().mkpath(building));
  QFile half(building + "/Duzo98HS.mdb");
  ASSERT_TRUE(half.open(QIODevice::WriteOnly));
  half.close();
  // One that another start is building right now: it holds it locked.
  const QString other = parent + "/.Dovrel POS 4.new-fedcba9876543210";
  ASSERT_TRUE(QDir().mkpath(other));
  const int held = ::open(QFile::encodeName(other).constData(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);

  const data::InstallReport report = data::installDataRoot(install);
  ::close(held);
  ASSERT_TRUE(report.ok) << report.errors.join("; ").toStdString();
  EXPECT_TRUE(report.newRoot);
  EXPECT_EQ(report.created, data::databaseFiles());
  EXPECT_EQ(Db(file("Infor.mdb")).text("SELECT sFirst_nm FROM tbEmplo WHERE szID_no = '1234'"), "Mara");
  QStringList beside = QDir(parent).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  beside.sort();
  EXPECT_EQ(beside, (QStringList{".Dovrel POS 4.new-fedcba9876543210", "Dovrel POS 4"}));
}

TEST_F(InstallTest, FailuresAreReportedNotThrown) {
  // The install folder's parent is a plain file.
  const QString blocker = root.filePath("drive_c");
  QFile f(blocker);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  const data::InstallReport report = data::installDataRoot(install);
  EXPECT_FALSE(report.ok);
  ASSERT_EQ(report.errors.size(), 1);
  EXPECT_TRUE(report.errors[0].contains(install)) << report.errors[0].toStdString();
  EXPECT_TRUE(report.errors[0].endsWith("Not a directory")) << "the system's reason";
  EXPECT_TRUE(report.created.isEmpty());

  EXPECT_FALSE(data::createTransactionFolder(root.filePath("drive_c/Program Files/Vantix/LocalTran")).ok);
  EXPECT_FALSE(data::installDataRoot(QString()).ok);
}

TEST_F(InstallTest, WhatAnInterruptedInstallLeftIsRemovedAtTheNextStart) {
  ASSERT_TRUE(QDir().mkpath(install));
  auto leave = [&](const QString& name) {
    QFile f(QDir(install).filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
  };
  leave(".Ordr.mdb.new-3f2a9c");
  leave(".Ordr.mdb.new-3f2a9c-journal");
  leave(".Notes.txt.new-1");  // not ours
  // One that another program is building right now: it holds it locked.
  leave(".Fav.mdb.new-77");
  const int building =
      ::open(QFile::encodeName(QDir(install).filePath(".Fav.mdb.new-77")).constData(), O_RDONLY);
  ASSERT_GE(building, 0);
  ASSERT_EQ(::flock(building, LOCK_EX), 0);

  ASSERT_TRUE(data::installDataRoot(install).ok);
  const QStringList left = QDir(install).entryList(QDir::Files | QDir::Hidden);
  EXPECT_FALSE(left.contains(".Ordr.mdb.new-3f2a9c"));
  EXPECT_FALSE(left.contains(".Ordr.mdb.new-3f2a9c-journal"));
  EXPECT_TRUE(left.contains(".Notes.txt.new-1"));
  EXPECT_TRUE(left.contains(".Fav.mdb.new-77"));
  ::close(building);
  EXPECT_EQ(left.filter(".new-").size(), 2) << left.join(", ").toStdString();
}

TEST_F(InstallTest, ScriptThatFailsLeavesNothingBehind) {
  ASSERT_TRUE(QDir().mkpath(install));
  QString error;
  // The first statement succeeds, the second fails (double quotes name columns
  // only, and there is no column Cut): no half-built file may appear under the
  // name, and no temporary file may stay.
  EXPECT_EQ(data::detail::buildDatabaseFile(install, "Fav.mdb",
                                            "CREATE TABLE tbFav (szMenu_id TEXT);\n"
                                            "INSERT INTO tbFav (szMenu_id) VALUES (\"Cut\");",
                                            &error),
            data::detail::BuildOutcome::Failed);
  EXPECT_TRUE(error.contains("Fav.mdb")) << error.toStdString();
  EXPECT_TRUE(QDir(install).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());

  // A file that appears under the name before the rename is kept as it is.
  QFile other(file("Fav.mdb"));
  ASSERT_TRUE(other.open(QIODevice::WriteOnly));
  other.write("theirs");
  other.close();
  EXPECT_EQ(
      data::detail::buildDatabaseFile(install, "Fav.mdb", "CREATE TABLE tbFav (szMenu_id TEXT);", &error),
      data::detail::BuildOutcome::Kept);
  ASSERT_TRUE(other.open(QIODevice::ReadOnly));
  EXPECT_EQ(other.readAll(), QByteArray("theirs"));
  EXPECT_EQ(QDir(install).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"Fav.mdb"});
}

TEST_F(InstallTest, TransactionFolderIsCreatedOnce) {
  const QString folder = root.filePath("drive_c/Program Files/Vantix/LocalTran");
  ASSERT_TRUE(data::createTransactionFolder(folder).ok);
  EXPECT_TRUE(QFileInfo(folder).isDir());
  QFile request(QDir(folder).filePath("X_101010.req"));
  ASSERT_TRUE(request.open(QIODevice::WriteOnly));
  request.close();
  const data::InstallReport again = data::createTransactionFolder(folder);
  EXPECT_TRUE(again.ok);
  EXPECT_TRUE(request.exists());
}

TEST_F(InstallTest, CardRequestsLeftByAnEarlierRunAreRemovedAtStart) {
  const QString folder = root.filePath("drive_c/Program Files/Vantix/LocalTran");
  ASSERT_TRUE(data::createTransactionFolder(folder).ok);
  const auto leave = [](const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write("\"C1\",\"Ann\",\"DovrelPOS7\",\"4111111111111111\",\"2612\",\"25.00\",\"\",\"\",\"123\"\r\n");
  };
  const QDir dir(folder);
  leave(dir.filePath("POS_101010.req"));
  leave(dir.filePath("CC_235959.req"));
  // The card program's files, and anything else, stay.
  const QStringList others = {"POS_101010.ans", "POS_101010.ans.tmp", "POS_101010.hld",
                              "POS_111111.req.taken", "Notes.txt"};
  for (const QString& name : others) leave(dir.filePath(name));
  // Nothing is followed out of the folder: not a folder, not a link.
  ASSERT_TRUE(dir.mkdir("Old.req"));
  leave(dir.filePath("Old.req/POS_090909.req"));
  leave(root.filePath("outside.req"));
  ASSERT_TRUE(QFile::link(root.filePath("outside.req"), dir.filePath("Link_1.req")));

  EXPECT_EQ(data::removeLeftoverRequests(folder), QStringList());
  QStringList expected = others + QStringList{"Link_1.req", "Old.req"};
  expected.sort();
  EXPECT_EQ(dir.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)
                .join(", ")
                .toStdString(),
            expected.join(", ").toStdString());
  EXPECT_TRUE(QFileInfo::exists(dir.filePath("Old.req/POS_090909.req")));
  EXPECT_TRUE(QFileInfo::exists(root.filePath("outside.req")));
  EXPECT_EQ(data::removeLeftoverRequests(folder), QStringList()) << "nothing left the second time";
}

// A data root that cannot be written is told once, with the reason the
// first folder could not be made.
TEST_F(InstallTest, AReadOnlyRootIsToldOnceWithItsReason) {
  data::InstallReport report;
  QString why;
  {
    const ReadOnlyPath readOnly(root.path().toStdString());
    if (!readOnly.active()) GTEST_SKIP() << "cannot make the folder read-only here";
    report = data::installDataRoot(install);
    why = ::mkdir(root.filePath("drive_c").toUtf8().constData(), 0755) == 0
              ? "made"
              : QString::fromLocal8Bit(strerror(errno));
  }
  EXPECT_FALSE(report.ok);
  ASSERT_EQ(report.errors.size(), 1) << report.errors.join("; ").toStdString();
  EXPECT_EQ(report.errors[0].toStdString(),
            (install + ": the folder cannot be created: " + why).toStdString());
}

TEST_F(InstallTest, ACardRequestThatCannotBeRemovedIsTold) {
  const QString folder = root.filePath("drive_c/Program Files/Vantix/LocalTran");
  ASSERT_TRUE(data::createTransactionFolder(folder).ok);
  const QString request = QDir(folder).filePath("POS_101010.req");
  QFile f(request);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  QStringList told;
  {
    const ReadOnlyPath readOnly(folder.toStdString());
    if (!readOnly.active()) GTEST_SKIP() << "cannot make the folder read-only here";
    told = data::removeLeftoverRequests(folder);
  }
  ASSERT_EQ(told.size(), 1) << told.join("; ").toStdString();
  EXPECT_TRUE(told[0].contains(request)) << told[0].toStdString();
  EXPECT_TRUE(told[0].contains("card data")) << told[0].toStdString();
  EXPECT_TRUE(QFileInfo::exists(request));
  // A folder that cannot be read is told too; one that is not there holds nothing.
  EXPECT_EQ(data::removeLeftoverRequests(request).size(), 1);
  EXPECT_EQ(data::removeLeftoverRequests(root.filePath("missing")), QStringList());
}

// Answers the card program wrote after the bridge had stopped waiting: each
// is told once at start with its result, and kept aside.
TEST_F(InstallTest, CardAnswersLeftInTheFolderAreToldOnceAndKeptAside) {
  const QString folder = root.filePath("drive_c/Program Files/Vantix/LocalTran");
  ASSERT_TRUE(data::createTransactionFolder(folder).ok);
  const QDir dir(folder);
  const auto leave = [&dir](const QString& name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << name.toStdString();
    f.write(bytes);
  };
  const std::map<QString, QByteArray> answers = {
      {"POS_101010.ans", "YAPPROVED42YM\r\n"},
      {"POS_101500.ans", "NDECLINED\r\n"},
      // Claimed by a run that ended before it had read it.
      {"POS_102000.ans.claim-0123456789abcdef", "Y654321\r\n"},
      {"POS_103000.ans", "\r\n"},
      {"POS_104000.ans", "Y1\r\n" + QByteArray(64 * 1024, 'x')},
  };
  for (const auto& [name, bytes] : answers) leave(name, bytes);
  ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("POS_105000.ans")).constData(), 0600), 0);
  // What is not an answer stays: the card program's own files, and anything else.
  const QStringList others = {"POS_101010.hld", "POS_106000.ans.part", "POS_106000.ans.tmp", "Notes.txt"};
  for (const QString& name : others) leave(name, "other");
  // An earlier start kept an answer of the same name: it is not replaced.
  ASSERT_TRUE(dir.mkdir("Late"));
  leave("Late/POS_101010.ans", "YEARLIER1\r\n");

  const QString told = data::setAsideLateAnswers(folder);
  EXPECT_EQ(told.toStdString(),
            ("The card program answered these card transactions after the wait for their answers had ended. "
             "A card may have been charged; check these before you charge a card again:\n\n"
             "POS_101010: approved, approval code APPROVED42\n"
             "POS_101500: declined: DECLINED\n"
             "POS_102000: approved, approval code 654321\n"
             "POS_103000: its answer cannot be read\n"
             "POS_104000: its answer cannot be read\n"
             "POS_105000: its answer cannot be read\n\n"
             "The answers are kept in " +
             dir.filePath("Late") + ".")
                .toStdString());

  QStringList left = others + QStringList{"Late"};
  left.sort();
  EXPECT_EQ(dir.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
            left);
  const QDir late(dir.filePath("Late"));
  for (const auto& [name, bytes] : answers) {
    QFile kept(late.filePath(name == "POS_101010.ans" ? name + ".2" : name));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly)) << name.toStdString();
    EXPECT_EQ(kept.readAll(), bytes) << name.toStdString();
  }
  QFile earlier(late.filePath("POS_101010.ans"));
  ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
  EXPECT_EQ(earlier.readAll(), "YEARLIER1\r\n");
  struct stat fifo;
  ASSERT_EQ(::lstat(QFile::encodeName(late.filePath("POS_105000.ans")).constData(), &fifo), 0);
  EXPECT_TRUE(S_ISFIFO(fifo.st_mode)) << "moved as it is, never opened to wait on it";
  EXPECT_EQ(late.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size(), 7);

  EXPECT_EQ(data::setAsideLateAnswers(folder), QString()) << "each is told once";
}

TEST_F(InstallTest, ALateAnswerThatCannotBeMovedAsideIsToldWithTheReason) {
  const QString folder = root.filePath("drive_c/Program Files/Vantix/LocalTran");
  ASSERT_TRUE(data::createTransactionFolder(folder).ok);
  QFile answer(QDir(folder).filePath("POS_101010.ans"));
  ASSERT_TRUE(answer.open(QIODevice::WriteOnly));
  answer.write("Y123456\r\n");
  answer.close();
  QString told, why;
  {
    const ReadOnlyPath readOnly(folder.toStdString());
    if (!readOnly.active()) GTEST_SKIP() << "cannot make the folder read-only here";
    told = data::setAsideLateAnswers(folder);
    why = ::mkdir(QFile::encodeName(QDir(folder).filePath("Late")).constData(), 0700) == 0
              ? "made"
              : QString::fromLocal8Bit(strerror(errno));
  }
  EXPECT_TRUE(told.endsWith("POS_101010: approved, approval code 123456 (it stays in the folder: " + why +
                            "; it is shown again at the next start)"))
      << told.toStdString();
  EXPECT_FALSE(told.contains("kept in"));
  EXPECT_TRUE(answer.exists());
  // Missing or empty of answers: nothing to tell.
  EXPECT_EQ(data::setAsideLateAnswers(root.filePath("missing")), QString());
  ASSERT_TRUE(answer.remove());
  EXPECT_EQ(data::setAsideLateAnswers(folder), QString());
}

TEST(SchemaScript, KnowsEveryFileAndOnlyThose) {
  for (const QString& name : data::databaseFiles())
    EXPECT_FALSE(data::schemaScript(name).isEmpty()) << name.toStdString();
  EXPECT_EQ(data::schemaScript("tordr.mdb"), data::schemaScript("BpOrdr.mdb"));
  EXPECT_TRUE(data::schemaScript("Other.mdb").isEmpty());
}

}  // namespace
