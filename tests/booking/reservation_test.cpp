// The appointment book, driven as the user drives it: the launcher's button,
// days clicked and keyed on the calendar, stylists chosen from the list,
// slots typed, Save and close pressed. The book's and the staff's files lie
// in a temporary data root; what the book stored is read with a connection
// of its own, as another station would read it.
#include <sqlite3.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <ostream>
#include <string>
#include <vector>

#include "booking/frmReservation.h"
#include "platform/convert/datetext.h"
#include "platform/db/database.h"
#include "platform/files/paths.h"
#include "shell/Lunessa.h"
#include "shell/frmMbutton.h"
#include "tests/db/testdb.h"
#include "tests/forms/drive.h"
#include "tests/shell/shell_fixture.h"

namespace {

using booking::Reservation;

const QString kSavePrefix = QStringLiteral("The schedule could not be saved: ");

QString installFile(const char* name) {
  return QString::fromStdString(files::installDir()) + QString::fromLatin1(name);
}
QString bookFile() {
  return installFile("SalonReserv.mdb");
}

class Book : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    // The staff in the order of entry; the list shows them by sign-in code.
    // Two share a first name, two have none.
    auto staff = db::Database::open(installFile("Infor.mdb"));
    staff->execute(QStringLiteral("DELETE FROM tbEmplo"));
    const std::vector<std::pair<const char*, QVariant>> members = {
        {"60", QStringLiteral("O'Neil")}, {"30", QStringLiteral("Ann")}, {"50", QStringLiteral("")},
        {"10", QStringLiteral("Bea")},    {"40", QStringLiteral("Ann")}, {"20", QVariant()}};
    for (const auto& [code, name] : members) {
      staff->execute(QStringLiteral("INSERT INTO tbEmplo (szID_no, sFirst_nm) VALUES (?, ?)"),
                     {QString::fromLatin1(code), name});
    }
  }

  // A row of the book as another station stored it.
  static void storedRow(const QString& day, const QString& name, const QString& slot900) {
    db::Database::open(bookFile())
        ->execute(QStringLiteral("INSERT INTO tblSalonReserv (szDate_da, szName_na, [900]) VALUES (?, ?, ?)"),
                  {day, name, slot900});
  }
  // One value of the book, "<null>" for a field without a value.
  static std::string stored(const std::string& sql) {
    return dbtest::peek(bookFile(), sql.c_str()).toStdString();
  }
  static std::string rowCount() { return stored("SELECT count(*) FROM tblSalonReserv"); }

  static void press(forms::CommandButton& button) {
    ASSERT_TRUE(button.Visible() && button.Enabled()) << button.Name().toStdString();
    qobject_cast<QAbstractButton*>(button.widget())->click();
  }
  static void openBook() {
    shell::MainWindow().Show();
    press(shell::Mbutton().cmdReservation);
  }
  // Turns the calendar's page to the day's month, as the month selector
  // does, and clicks the day.
  static void pickDay(const QDate& day) {
    drive::widgetOf(Reservation().Calendar1)->setCurrentPage(day.year(), day.month());
    drive::clickDay(Reservation().Calendar1, day);
  }
  static void pickStylist(const QString& name) {
    const forms::ComboBox& list = Reservation().cmbID;
    for (int i = 0; i < list.ListCount(); ++i) {
      if (list.List(i) == name) return drive::chooseFromList(list, i);
    }
    FAIL() << "not listed: " << name.toStdString();
  }
  // Types over what the box holds.
  static void type(forms::Control& box, const QString& text) {
    QWidget* w = box.widget();
    auto* edit = qobject_cast<QLineEdit*>(w);
    if (auto* combo = qobject_cast<QComboBox*>(w)) edit = combo->lineEdit();
    ASSERT_NE(edit, nullptr) << box.Name().toStdString();
    edit->selectAll();
    edit->insert(text);
  }
  static forms::TextBox& slot(int n) { return *Reservation().slotBoxes()[n - 1]; }
  static std::string shown(const forms::Control& c) { return c.Text().toStdString(); }
};

TEST_F(Book, OpensOnTodayWithTheStaffListedAndNothingPicked) {
  ASSERT_TRUE(shell::Mbutton().cmdReservation.Enabled());
  openBook();
  {
    booking::frmReservation& book = Reservation();
    ASSERT_TRUE(book.Visible());
    EXPECT_EQ(book.Caption(), QStringLiteral("Reservation"));
    std::vector<std::string> listed;
    for (int i = 0; i < book.cmbID.ListCount(); ++i) listed.push_back(book.cmbID.List(i).toStdString());
    EXPECT_EQ(listed, (std::vector<std::string>{"Bea", "Ann", "Ann", "O'Neil"}));
    EXPECT_EQ(book.cmbID.ListIndex(), -1);
    EXPECT_EQ(shown(book.cmbID), "");
    EXPECT_EQ(book.Calendar1.Value(), QDate::currentDate());
    EXPECT_EQ(book.txtdate.Text(), rt::ShortDate(QDate::currentDate()));
    for (forms::TextBox* box : book.slotBoxes()) EXPECT_EQ(shown(*box), "") << box->Name().toStdString();
    EXPECT_FALSE(book.cmdSave.Visible());
    EXPECT_EQ(book.Tag(), QString());
  }
  EXPECT_TRUE(messages_->shown().empty());
}

TEST_F(Book, EachSlotBoxIsStoredInItsOwnFieldAndShownFromIt) {
  // The salon's files name the slots by their start on the 12-hour clock.
  const std::vector<std::string> fields = {"900", "930", "1000", "1030", "1100", "1130", "1200", "1230",
                                           "100", "130", "200",  "230",  "300",  "330",  "400",  "430",
                                           "500", "530", "600",  "630",  "700",  "730"};
  ASSERT_EQ(std::vector<std::string>(booking::kSlotFields.begin(), booking::kSlotFields.end()), fields);

  openBook();
  pickDay(QDate(2026, 3, 10));
  pickStylist("Ann");
  for (int n = 1; n <= booking::kSlotCount; ++n) type(slot(n), QString::fromStdString(fields[n - 1]));
  press(Reservation().cmdSave);
  EXPECT_FALSE(Reservation().cmdSave.Visible());
  for (const std::string& field : fields)
    EXPECT_EQ(stored("SELECT \"" + field + "\" FROM tblSalonReserv"), field);

  // Closed, opened again, the day and stylist picked: the slots come back.
  press(Reservation().cmdClose);
  openBook();
  pickDay(QDate(2026, 3, 10));
  pickStylist("Ann");
  for (int n = 1; n <= booking::kSlotCount; ++n) EXPECT_EQ(shown(slot(n)), fields[n - 1]);
  EXPECT_FALSE(Reservation().cmdSave.Visible());
}

TEST_F(Book, AFirstSaveStoresTheFilledSlotsALaterOneRewritesAll) {
  openBook();
  pickDay(QDate(2026, 3, 10));
  pickStylist("Bea");
  type(slot(3), "Perm, Mrs Lee");
  EXPECT_TRUE(Reservation().cmdSave.Visible());
  EXPECT_EQ(Reservation().Tag(), QStringLiteral("Datahaschange"));
  press(Reservation().cmdSave);
  EXPECT_FALSE(Reservation().cmdSave.Visible());
  EXPECT_EQ(Reservation().Tag(), QString());
  EXPECT_EQ(rowCount(), "1");
  EXPECT_EQ(stored("SELECT szDate_da || '|' || szName_na FROM tblSalonReserv"), "2026-03-10|Bea");
  EXPECT_EQ(stored("SELECT \"1000\" FROM tblSalonReserv"), "Perm, Mrs Lee");
  EXPECT_EQ(stored("SELECT \"900\" FROM tblSalonReserv"), "<null>");
  EXPECT_EQ(stored("SELECT \"730\" FROM tblSalonReserv"), "<null>");

  type(slot(3), "");
  type(slot(22), "Cut");
  press(Reservation().cmdSave);
  EXPECT_EQ(rowCount(), "1");
  EXPECT_EQ(stored("SELECT \"1000\" FROM tblSalonReserv"), "");
  EXPECT_EQ(stored("SELECT \"900\" FROM tblSalonReserv"), "");
  EXPECT_EQ(stored("SELECT \"730\" FROM tblSalonReserv"), "Cut");
}

TEST_F(Book, EachStylistLoadsAndSavesTheirOwnRow) {
  storedRow("2026-01-05", "Ann", "first row of the book");
  storedRow("2026-03-10", "bea", "another spelling");
  storedRow("2026-03-10", "Ann", "Ann's day");
  storedRow("2026-03-10", "Bea", "Bea's day");
  storedRow("2026-03-10", "Bea", "added at once by another station");
  openBook();
  pickDay(QDate(2026, 3, 10));
  pickStylist("Ann");
  EXPECT_EQ(shown(slot(1)), "Ann's day");
  pickStylist("Bea");
  EXPECT_EQ(shown(slot(1)), "Bea's day") << "the first of two rows, and the name as spelt";
  type(slot(2), "Bea's edit");
  press(Reservation().cmdSave);
  EXPECT_EQ(stored("SELECT \"930\" FROM tblSalonReserv WHERE \"900\" = 'Bea''s day'"), "Bea's edit");
  EXPECT_EQ(stored("SELECT count(*) FROM tblSalonReserv WHERE \"930\" IS NOT NULL"), "1");

  pickDay(QDate(2026, 1, 5));
  pickStylist("Ann");
  EXPECT_EQ(shown(slot(1)), "first row of the book");
  type(slot(1), "first row, changed");
  press(Reservation().cmdSave);
  EXPECT_EQ(stored("SELECT \"900\" FROM tblSalonReserv WHERE szDate_da = '2026-01-05'"),
            "first row, changed");
  EXPECT_EQ(rowCount(), "5");
}

TEST_F(Book, PendingEditsAreStoredUnderTheDayAndStylistOnScreen) {
  const QDate first(2026, 3, 10), second(2026, 3, 12);
  openBook();
  pickDay(first);
  pickStylist("Ann");
  type(slot(1), "by click");
  pickDay(second);
  EXPECT_EQ(stored("SELECT \"900\" FROM tblSalonReserv WHERE szDate_da = '2026-03-10' AND szName_na = 'Ann'"),
            "by click");
  EXPECT_EQ(Reservation().txtdate.Text(), rt::ShortDate(second));
  EXPECT_EQ(shown(slot(1)), "");
  EXPECT_FALSE(Reservation().cmdSave.Visible());

  type(slot(1), "by arrow key");
  drive::pressKey(Reservation().Calendar1, Qt::Key_Right);
  EXPECT_EQ(stored("SELECT \"900\" FROM tblSalonReserv WHERE szDate_da = '2026-03-12' AND szName_na = 'Ann'"),
            "by arrow key");
  EXPECT_EQ(Reservation().Calendar1.Value(), second.addDays(1));
  EXPECT_EQ(Reservation().txtdate.Text(), rt::ShortDate(second.addDays(1)));
  EXPECT_EQ(shown(slot(1)), "");
  EXPECT_FALSE(Reservation().cmdSave.Visible());

  type(slot(1), "before the stylist changed");
  pickStylist("Bea");
  EXPECT_EQ(stored("SELECT \"900\" FROM tblSalonReserv WHERE szDate_da = '2026-03-13' AND szName_na = 'Ann'"),
            "before the stylist changed");
  EXPECT_EQ(shown(Reservation().txtID), "Bea");
  EXPECT_EQ(shown(slot(1)), "");
  EXPECT_FALSE(Reservation().cmdSave.Visible());
  EXPECT_EQ(rowCount(), "3");
}

// A name typed into the box, not picked, loads that stylist's day as the box
// is left, before a slot is written: the slots show her bookings, and Save
// stores under her name, never under the empty name shown before.
TEST_F(Book, ANameTypedIntoTheBoxLoadsItsDayWhenTheBoxIsLeft) {
  storedRow("2026-03-10", "Bea", "Bea's day");
  openBook();
  pickDay(QDate(2026, 3, 10));
  // The focus moves only in the active window.
  QWidget* window = Reservation().cmbID.widget()->window();
  window->activateWindow();
  for (int i = 0; i < 100 && !window->isActiveWindow(); ++i) QCoreApplication::processEvents();
  ASSERT_TRUE(window->isActiveWindow());
  Reservation().cmbID.SetFocus();
  type(Reservation().cmbID, "Bea");
  EXPECT_EQ(shown(slot(1)), "") << "nothing loads while the name is typed";
  slot(2).SetFocus();
  EXPECT_EQ(shown(slot(1)), "Bea's day");
  EXPECT_EQ(shown(Reservation().txtID), "Bea");
  type(slot(2), "for Bea");
  press(Reservation().cmdSave);
  EXPECT_EQ(stored("SELECT szName_na || '|' || \"900\" || '|' || \"930\" FROM tblSalonReserv"),
            "Bea|Bea's day|for Bea");
  EXPECT_EQ(rowCount(), "1");
}

// Save with a name typed over the one the slots were loaded for loads the
// typed stylist's day first and stores nothing: the slots on screen were
// another stylist's, and would have been stored under her.
TEST_F(Book, SaveWithANameTypedOverTheShownOneLoadsThatNameFirst) {
  storedRow("2026-03-10", "Ann", "Ann's day");
  storedRow("2026-03-10", "Bea", "Bea's day");
  openBook();
  pickDay(QDate(2026, 3, 10));
  type(Reservation().cmbID, "Bea");
  pickDay(QDate(2026, 3, 11));
  pickDay(QDate(2026, 3, 10));
  ASSERT_EQ(shown(slot(1)), "Bea's day");
  type(slot(2), "typed on Bea's day");
  type(Reservation().cmbID, "Ann");
  press(Reservation().cmdSave);
  EXPECT_EQ(shown(slot(1)), "Ann's day");
  EXPECT_EQ(shown(slot(2)), "");
  EXPECT_EQ(shown(Reservation().txtID), "Ann");
  EXPECT_FALSE(Reservation().cmdSave.Visible());
  EXPECT_EQ(stored("SELECT count(*) FROM tblSalonReserv WHERE \"930\" IS NOT NULL"), "0");

  type(slot(2), "for Ann");
  press(Reservation().cmdSave);
  EXPECT_EQ(stored("SELECT \"930\" FROM tblSalonReserv WHERE szName_na = 'Ann'"), "for Ann");
  EXPECT_EQ(stored("SELECT \"930\" FROM tblSalonReserv WHERE szName_na = 'Bea'"), "<null>");
  EXPECT_EQ(rowCount(), "2");
}

// The slots on screen were loaded for a typed name: picking the stylist the
// list last showed loads that stylist's day, and a save goes under them.
TEST_F(Book, PickingAStylistLoadsWhenTheSlotsShowAnotherName) {
  storedRow("2026-03-10", "Ann", "Ann's day");
  openBook();
  pickDay(QDate(2026, 3, 10));
  pickStylist("Ann");
  type(Reservation().cmbID, "Bea");
  pickDay(QDate(2026, 3, 11));
  pickDay(QDate(2026, 3, 10));
  EXPECT_EQ(shown(slot(1)), "") << "Bea's day, loaded for the name typed";
  pickStylist("Ann");
  EXPECT_EQ(shown(slot(1)), "Ann's day");
  type(slot(2), "for Ann");
  press(Reservation().cmdSave);
  EXPECT_EQ(stored("SELECT szName_na || '|' || \"900\" || '|' || \"930\" FROM tblSalonReserv"),
            "Ann|Ann's day|for Ann");
}

TEST_F(Book, DaysAreStoredAsIsoDatesAndNamesAsTheyAre) {
  storedRow("2020-01-01", "Ann", "six years ago");
  openBook();
  pickDay(QDate(2026, 1, 1));
  pickStylist("Ann");
  EXPECT_EQ(shown(slot(1)), "");
  type(slot(1), "New Year");
  press(Reservation().cmdSave);
  EXPECT_EQ(stored("SELECT \"900\" FROM tblSalonReserv WHERE szDate_da = '2026-01-01'"), "New Year");
  EXPECT_EQ(stored("SELECT \"900\" FROM tblSalonReserv WHERE szDate_da = '2020-01-01'"), "six years ago");

  pickStylist("O'Neil");
  type(slot(4), "Colour");
  press(Reservation().cmdSave);
  EXPECT_EQ(stored("SELECT \"1030\" FROM tblSalonReserv WHERE szName_na = 'O''Neil'"), "Colour");
  pickStylist("Ann");
  EXPECT_EQ(shown(slot(4)), "");
  pickStylist("O'Neil");
  EXPECT_EQ(shown(slot(4)), "Colour");
  EXPECT_EQ(rowCount(), "3");
}

// Another station holds the book's write lock for longer than the wait for
// it: every save fails after that wait.
class WriteLock {
 public:
  explicit WriteLock(const QString& path) {
    sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    held_ = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
  }
  ~WriteLock() {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db_);
  }
  WriteLock(const WriteLock&) = delete;
  WriteLock& operator=(const WriteLock&) = delete;
  bool held() const { return held_; }

 private:
  sqlite3* db_ = nullptr;
  bool held_ = false;
};

TEST_F(Book, ASaveThatFailsIsReportedAndKeepsTheTypingTheDayAndTheStylist) {
  const QDate day(2026, 3, 10);
  db::setBusyTimeout(200);  // each failure waits out the other station's lock
  openBook();
  db::setBusyTimeout(5000);
  pickDay(day);
  pickStylist("Ann");
  type(slot(1), "keep me");
  {
    WriteLock lock(bookFile());
    ASSERT_TRUE(lock.held());
    for (int i = 0; i < 3; ++i) messages_->answer(forms::vbOK);

    press(Reservation().cmdSave);
    pickDay(day.addDays(1));
    pickStylist("Bea");

    ASSERT_EQ(messages_->shown().size(), 3u);
    for (const forms::Message& m : messages_->shown())
      EXPECT_TRUE(m.prompt.startsWith(kSavePrefix)) << m.prompt.toStdString();
    EXPECT_EQ(shown(slot(1)), "keep me");
    EXPECT_TRUE(Reservation().cmdSave.Visible());
    EXPECT_EQ(Reservation().Tag(), QStringLiteral("Datahaschange"));
    EXPECT_EQ(Reservation().Calendar1.Value(), day) << "back on the day shown";
    EXPECT_EQ(Reservation().txtdate.Text(), rt::ShortDate(day));
    EXPECT_EQ(shown(Reservation().cmbID), "Ann") << "back on the stylist shown";
    EXPECT_EQ(shown(Reservation().txtID), "Ann");
  }
  EXPECT_EQ(rowCount(), "0");
  press(Reservation().cmdSave);
  EXPECT_FALSE(Reservation().cmdSave.Visible());
  EXPECT_EQ(stored("SELECT szDate_da || '|' || szName_na || '|' || \"900\" FROM tblSalonReserv"),
            "2026-03-10|Ann|keep me");
}

TEST_F(Book, ADayThatCouldNotBeReadIsToldAndNeverOverwritten) {
  const QDate day(2026, 3, 10);
  storedRow(QStringLiteral("2026-03-10"), QStringLiteral("Ann"), QStringLiteral("booked"));
  db::setBusyTimeout(200);
  openBook();
  db::setBusyTimeout(5000);
  pickStylist("Ann");
  {
    // Another station writes the book: nobody can read it meanwhile.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open_v2(bookFile().toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    messages_->answer(forms::vbOK);
    pickDay(day);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
  }
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_TRUE(messages_->shown()[0].prompt.startsWith("The schedule could not be read: "));
  EXPECT_EQ(shown(slot(1)), "");

  // What is typed over the unread day is not stored over the stored row.
  type(slot(2), "walk-in");
  messages_->answer(forms::vbOK);
  press(Reservation().cmdSave);
  ASSERT_EQ(messages_->shown().size(), 2u);
  EXPECT_TRUE(messages_->shown()[1].prompt.startsWith(kSavePrefix));
  EXPECT_EQ(stored("SELECT \"900\" || '|' || quote(\"930\") FROM tblSalonReserv"), "booked|NULL");

  messages_->answer(forms::vbOK);
  pickDay(day.addDays(1));  // the edits cannot be stored: the day stays
  EXPECT_EQ(messages_->shown().size(), 3u);
  EXPECT_EQ(Reservation().Calendar1.Value(), day);
}

TEST_F(Book, ClosingDropsPendingEditsWithoutAsking) {
  openBook();
  pickDay(QDate(2026, 3, 10));
  pickStylist("Ann");
  type(slot(5), "never stored");
  press(Reservation().cmdClose);
  EXPECT_FALSE(Reservation().IsLoaded());
  EXPECT_EQ(rowCount(), "0");
  EXPECT_TRUE(messages_->shown().empty());

  openBook();
  EXPECT_EQ(Reservation().Calendar1.Value(), QDate::currentDate());
  EXPECT_EQ(shown(Reservation().cmbID), "");
  EXPECT_EQ(shown(slot(5)), "");
  EXPECT_FALSE(Reservation().cmdSave.Visible());
}

TEST_F(Book, ASecondPressOfTheLauncherBringsTheSameBookForward) {
  openBook();
  QWidget* window = Reservation().window();
  type(slot(5), "still here");
  press(shell::Mbutton().cmdReservation);
  EXPECT_EQ(Reservation().window(), window);
  EXPECT_EQ(shown(slot(5)), "still here");
  EXPECT_TRUE(Reservation().cmdSave.Visible());
}

// Without its data the book still opens: one message says why, the list is
// empty where the staff cannot be read, and every save the book cannot store
// says it failed.
struct NoData {
  const char* name;
  void (*spoil)();    // done to the fresh data root before the book opens
  const char* named;  // what the opening message names
  int listed;
  bool savesFail;
};

void PrintTo(const NoData& c, std::ostream* os) {
  *os << c.name;
}

class BookWithoutData : public Book, public ::testing::WithParamInterface<NoData> {};

TEST_P(BookWithoutData, OpensWithOneMessageAndReportsEachSaveThatFails) {
  const NoData& c = GetParam();
  c.spoil();
  messages_->answer(forms::vbOK);
  if (c.savesFail) messages_->answer(forms::vbOK);
  openBook();
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_TRUE(messages_->shown()[0].prompt.contains(QString::fromLatin1(c.named)))
      << messages_->shown()[0].prompt.toStdString();
  EXPECT_EQ(Reservation().cmbID.ListCount(), c.listed);

  type(slot(1), "typed");
  press(Reservation().cmdSave);
  EXPECT_EQ(shown(slot(1)), "typed");
  if (c.savesFail) {
    ASSERT_EQ(messages_->shown().size(), 2u);
    EXPECT_TRUE(messages_->shown()[1].prompt.startsWith(kSavePrefix))
        << messages_->shown()[1].prompt.toStdString();
    EXPECT_TRUE(Reservation().cmdSave.Visible());
  } else {
    EXPECT_EQ(messages_->shown().size(), 1u);
    EXPECT_FALSE(Reservation().cmdSave.Visible());
    EXPECT_EQ(stored("SELECT szName_na || '|' || \"900\" FROM tblSalonReserv"), "|typed")
        << "stored with an empty stylist name";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BookWithoutData,
    ::testing::Values(
        NoData{"UnknownPlacement",
               [] {
                 db::Database::open(installFile("Duzo98HS.mdb"))
                     ->execute(QStringLiteral("UPDATE tbSet SET SetC = 'Elsewhere'"));
               },
               "\"Elsewhere\"", 0, true},
        NoData{"UnreadablePlacement",
               [] {
                 db::Database::open(installFile("Duzo98HS.mdb"))->execute(QStringLiteral("DROP TABLE tbSet"));
               },
               "Duzo98HS.mdb has no table tbSet.", 0, true},
        NoData{"MissingBook", [] { ASSERT_TRUE(QFile::remove(bookFile())); }, "SalonReserv.mdb", 4, true},
        NoData{"MissingStaffTable",
               [] {
                 db::Database::open(installFile("Infor.mdb"))->execute(QStringLiteral("DROP TABLE tbEmplo"));
               },
               "tbEmplo", 0, false}),
    [](const ::testing::TestParamInfo<NoData>& info) { return std::string(info.param.name); });

}  // namespace
