#include "shell/placement.h"

#include <gtest/gtest.h>

namespace {

using shell::DataLocation;
using shell::PlacementReader;

const QString kLocal = QStringLiteral("C:\\Program Files\\Dovrel POS 4\\Infor.mdb");
const QString kShared = QStringLiteral("\\\\Server\\Dovrel POS 4\\Infor.mdb");
const QString kNone = QStringLiteral("<none>");

QString place(PlacementReader reader, const QString& mode) {
  DataLocation where{mode, QStringLiteral("\\\\Server\\"), QStringLiteral("Dovrel POS 4\\")};
  return shell::placeDatabase(reader, where, QStringLiteral("Infor.mdb")).value_or(kNone);
}

TEST(Placement, EveryReaderPlacesByMode) {
  const QString kTraining = QStringLiteral("C:\\Program Files\\Dovrel POS 4\\Tordr.mdb");
  struct Case {
    PlacementReader reader;
    QString other;  // where the reader opens the file for the mode text "single" (neither mode)
    QString empty;  // ... and for an empty mode text
  } cases[] = {
      {PlacementReader::Sales, kShared, kShared},    {PlacementReader::Tender, kShared, kShared},
      {PlacementReader::Removal, kLocal, kLocal},    {PlacementReader::Keypad, kNone, kNone},
      {PlacementReader::StaffEditor, kNone, kLocal}, {PlacementReader::Booking, kNone, kNone},
      {PlacementReader::SalesReport, kNone, kNone},  {PlacementReader::OrderDetail, kTraining, kTraining},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.reader));
    EXPECT_EQ(place(c.reader, QStringLiteral("Single")), kLocal);
    EXPECT_EQ(place(c.reader, QStringLiteral("File Sharing")), kShared);
    // Mode texts compare exactly: a different case is "any other mode".
    EXPECT_EQ(place(c.reader, QStringLiteral("single")), c.other);
    EXPECT_EQ(place(c.reader, QString()), c.empty);
  }
}

TEST(Placement, SharedLocationJoinsWithNothingBetween) {
  DataLocation where{QStringLiteral("File Sharing"), QStringLiteral("\\\\Host"), QStringLiteral("Data")};
  EXPECT_EQ(shell::sharedDatabase(where, QStringLiteral("Fav.mdb")), QStringLiteral("\\\\HostDataFav.mdb"));
}

TEST(Placement, CheckBookModeChoosesTheTicketFile) {
  EXPECT_EQ(shell::ticketDatabaseName(QStringLiteral("Check Book")), QStringLiteral("Ordr.mdb"));
  EXPECT_EQ(shell::ticketDatabaseName(QStringLiteral("Training Check Book")), QStringLiteral("TOrdr.mdb"));
  EXPECT_EQ(shell::ticketDatabaseName(QString()), QStringLiteral("TOrdr.mdb"));
}

}  // namespace
