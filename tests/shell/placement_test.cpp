#include "shell/placement.h"

#include <gtest/gtest.h>

namespace {

using shell::DataLocation;

const QString kLocal = QStringLiteral("C:\\Program Files\\Dovrel POS 4\\Infor.mdb");
const QString kShared = QStringLiteral("\\\\Server\\Dovrel POS 4\\Infor.mdb");
const QString kNone = QStringLiteral("<none>");

// Only the two modes the placement window writes place a file; any other
// text (a damaged field) places none, for every reader alike.
TEST(Placement, OnlyTheTwoModesPlaceAFile) {
  const struct {
    QString mode;
    QString placed;
  } cases[] = {
      {"Single", kLocal}, {"File Sharing", kShared}, {"single", kNone},  {QString(), kNone},
      {"", kNone},        {"Sxngle", kNone},         {"Single ", kNone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode.toStdString());
    const DataLocation where{c.mode, QStringLiteral("\\\\Server\\"), QStringLiteral("Dovrel POS 4\\")};
    EXPECT_EQ(shell::placeDatabase(where, QStringLiteral("Infor.mdb")).value_or(kNone), c.placed);
  }
}

TEST(Placement, SharedLocationJoinsWithNothingBetween) {
  DataLocation where{QStringLiteral("File Sharing"), QStringLiteral("\\\\Host"), QStringLiteral("Data")};
  EXPECT_EQ(shell::sharedDatabase(where, QStringLiteral("Fav.mdb")), QStringLiteral("\\\\HostDataFav.mdb"));
}

// Only the two modes the check-book window writes name a ticket file: a
// damaged one is no training, which "Fresh" would empty.
TEST(Placement, CheckBookModeChoosesTheTicketFile) {
  const struct {
    QString mode;
    QString file;
  } cases[] = {
      {"Check Book", "Ordr.mdb"}, {"Training Check Book", "TOrdr.mdb"},
      {QString(), kNone},         {"", kNone},
      {"check book", kNone},      {"Ch@ck B00k", kNone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode.toStdString());
    EXPECT_EQ(shell::ticketDatabaseName(c.mode).value_or(kNone), c.file);
  }
}

}  // namespace
