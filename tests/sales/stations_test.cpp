// Tickets stored by other processes: a station killed in the middle of a
// store, stations killed at random moments, and two stations storing at once
// on one shared folder. Each station is tests/sales/ticket_station, which
// stores through the sales window's receipt button.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <map>
#include <random>
#include <set>

#include "data/install.h"
#include "platform/db/recordset.h"
#include "platform/files/paths.h"
#include "sales/frmSales.h"
#include "tests/sales/sales_fixture.h"

namespace {

// One station process; its output is read as it comes.
class Station {
 public:
  Station(const QString& root, const QString& name, const QStringList& more) {
    process_.setProgram(TICKET_STATION);
    process_.setArguments(QStringList{"--root", root, "--station", name} + more);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start();
  }
  ~Station() {
    if (process_.state() != QProcess::NotRunning) {
      process_.kill();
      process_.waitForFinished(60000);
    }
  }
  Station(const Station&) = delete;
  Station& operator=(const Station&) = delete;

  // Waits (generously) until the station's window is open.
  bool ready() {
    while (!output_.contains("ready\n")) {
      if (!process_.waitForReadyRead(120000)) return false;
      output_ += process_.readAllStandardOutput();
    }
    return true;
  }
  void kill() {
    process_.kill();
    process_.waitForFinished(120000);
  }
  bool finished() {
    const bool done = process_.waitForFinished(600000);
    output_ += process_.readAllStandardOutput();
    return done;
  }
  int exitCode() const { return process_.exitCode(); }
  bool crashed() const { return process_.exitStatus() == QProcess::CrashExit; }
  QString output() {
    output_ += process_.readAllStandardOutput();
    return QString::fromUtf8(output_);
  }
  // Ticket (by its index) -> the number it was stored under.
  std::map<int, QString> stored() {
    std::map<int, QString> numbers;
    static const QRegularExpression line("^stored \\S+ (\\d+) (\\d+)$", QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(output()); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      numbers[m.captured(1).toInt()] = m.captured(2);
    }
    return numbers;
  }

 private:
  QProcess process_;
  QByteArray output_;
};

class Stations : public SalesFixture {
 protected:
  QString ticketFile() const { return installFile("Ordr.mdb"); }

  // What every ticket file must be after anything: whole, and no header
  // without a line or line without its header. Each ticket's lines are the
  // ones its station gave it: "NAME-i-1" to "NAME-i-(1 + i % 3)".
  static void expectWholeTickets(const QString& file) {
    auto db = db::Database::open(file);
    EXPECT_EQ(db->scalar("PRAGMA integrity_check").toString(), "ok");
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM tblDy_Order WHERE Inv NOT IN (SELECT Invoice FROM tblDetail)")
                  .toInt(),
              0);
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM tblDetail WHERE Invoice NOT IN (SELECT Inv FROM tblDy_Order)")
                  .toInt(),
              0);
    auto rs = db->openRecordset("SELECT * FROM tblDetail ORDER BY Invoice");
    std::map<QString, QStringList> byTicket;
    for (int i = 0; i < rs->recordCount(); ++i) {
      const QString invoice = rs->valueAt(i, rs->fieldNames().indexOf("Invoice")).toString();
      const QString text = rs->valueAt(i, rs->fieldNames().indexOf("szOrder")).toString();
      if (QRegularExpression("^\\S+-\\d+-\\d+$").match(text).hasMatch()) byTicket[invoice] << text;
    }
    for (const auto& [invoice, texts] : byTicket) {
      const QStringList parts = texts.first().split('-');
      const QString ticket = parts[0] + "-" + parts[1];
      QStringList expected;
      for (int j = 1; j <= 1 + parts[1].toInt() % 3; ++j) expected << ticket + "-" + QString::number(j);
      EXPECT_EQ(texts, expected) << "ticket " << invoice.toStdString();
    }
  }
};

// Killed after the header of its second ticket is written and before the
// store commits: the first ticket is whole, nothing of the second is left,
// and the number it drew is drawn again.
TEST_F(Stations, AStationKilledInTheMiddleOfAStoreLeavesNoHalfTicket) {
  {
    Station a(root_.path(), "A", {"--tickets", "3", "--die-in", "tblDetail", "--die-at-ticket", "2"});
    ASSERT_TRUE(a.finished());
    EXPECT_TRUE(a.crashed()) << a.output().toStdString();
    EXPECT_EQ(a.stored(), (std::map<int, QString>{{1, "1"}})) << a.output().toStdString();
  }
  expectWholeTickets(ticketFile());
  EXPECT_EQ(value(ticketFile(), "SELECT COUNT(*) FROM tblDy_Order"), "1");
  // The window opens on the file without a word, and the next ticket takes
  // the number the killed store had drawn.
  sales::frmSales& w = sales::Sales();
  w.txtWaiter.setText("3456");
  press(w.cmdDrink);
  press(w.command(3));
  press(w.cmdPrintRce1);
  EXPECT_EQ(w.cmbRept.Text(), "2");
  expectWholeTickets(ticketFile());
}

TEST_F(Stations, StationsKilledAtRandomMomentsLeaveWholeTickets) {
  std::mt19937 random(20261210);
  std::uniform_int_distribution<int> delay(0, 400);
  int stored = 0;
  for (int k = 1; k <= 6; ++k) {
    Station s(root_.path(), QString("R%1").arg(k), {"--tickets", "1000"});
    ASSERT_TRUE(s.ready()) << s.output().toStdString();
    QThread::msleep(delay(random));
    s.kill();
    stored += int(s.stored().size());
  }
  expectWholeTickets(ticketFile());
  // Every ticket a station saw stored is there; at most one more per kill
  // (committed, then killed before it said so).
  const int headers = value(ticketFile(), "SELECT COUNT(*) FROM tblDy_Order").toInt();
  EXPECT_GE(headers, stored);
  EXPECT_LE(headers, stored + 6);
  sales::Sales().Load();
  EXPECT_TRUE(sales::Sales().IsLoaded());
}

// Two stations, each on its own data root in "File Sharing", store at once
// into one shared folder: distinct numbers, every ticket with exactly its
// lines, and the shared item counted once a ticket.
TEST_F(Stations, TwoStationsOnOneSharedFolder) {
  const QString shared = root_.filePath("share");
  ASSERT_TRUE(data::installDataRoot(shared + "/Dovrel POS 4/").ok);
  QStringList roots;
  for (const char* name : {"a", "b"}) {
    const QString root = root_.filePath(QString("station-%1").arg(name));
    ASSERT_TRUE(data::installDataRoot(root + "/drive_c/Program Files/Dovrel POS 4/").ok);
    ASSERT_TRUE(QDir().mkpath(root + "/unc"));
    ASSERT_TRUE(QFile::link(shared, root + "/unc/Server"));
    run(root + "/drive_c/Program Files/Dovrel POS 4/Duzo98HS.mdb", "UPDATE tbSet SET SetC = 'File Sharing'");
    roots << root;
  }
  constexpr int kTickets = 25;
  const QStringList args{"--tickets", QString::number(kTickets), "--shared", "Shared Blowout"};
  Station a(roots[0], "A", args);
  Station b(roots[1], "B", args);
  ASSERT_TRUE(a.finished());
  ASSERT_TRUE(b.finished());
  for (Station* s : {&a, &b}) {
    EXPECT_EQ(s->exitCode(), 0) << s->output().toStdString();
    EXPECT_FALSE(s->output().contains("message:")) << s->output().toStdString();
    EXPECT_EQ(s->stored().size(), size_t(kTickets));
  }

  const QString tickets = shared + "/Dovrel POS 4/Ordr.mdb";
  std::set<QString> numbers;
  for (auto& [name, station] : std::initializer_list<std::pair<QString, Station*>>{{"A", &a}, {"B", &b}}) {
    for (const auto& [i, number] : station->stored()) {
      numbers.insert(number);
      QStringList expected;
      for (int j = 1; j <= 1 + i % 3; ++j) expected << QString("%1-%2-%3").arg(name).arg(i).arg(j);
      expected << "Shared Blowout";
      auto db = db::Database::open(tickets);
      auto rs = db->openRecordset("SELECT * FROM tblDetail WHERE Invoice = ?", {number});
      QStringList texts;
      for (int r = 0; r < rs->recordCount(); ++r)
        texts << rs->valueAt(r, rs->fieldNames().indexOf("szOrder")).toString();
      EXPECT_EQ(texts, expected) << "ticket " << number.toStdString();
    }
  }
  EXPECT_EQ(numbers.size(), size_t(2 * kTickets)) << "every ticket has its own number";
  EXPECT_EQ(value(tickets, "SELECT COUNT(*) FROM tblDy_Order"), QString::number(2 * kTickets));
  expectWholeTickets(tickets);
  EXPECT_EQ(value(shared + "/Dovrel POS 4/Fav.mdb",
                  "SELECT szNum_nm FROM tbFav WHERE szMenu_id = 'Shared Blowout'"),
            QString::number(2 * kTickets));
  for (const QString& root : roots)
    EXPECT_EQ(
        value(root + "/drive_c/Program Files/Dovrel POS 4/Ordr.mdb", "SELECT COUNT(*) FROM tblDy_Order"),
        "0");
}

}  // namespace
