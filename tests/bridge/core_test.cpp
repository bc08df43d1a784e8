#include "bridge/core.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <atomic>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "bridge/typelib.h"
#include "bridge/vxtransaction.h"
#include "tests/bridge/no_file_growth.h"

namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

QStringList Entries(const QTemporaryDir& dir) {
  return QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
}

// ---- names -------------------------------------------------------------------

TEST(TransactionName, IsComputerNameAndTimeOfDay) {
  struct Case {
    const char* computer;
    int h, m, s;
    const char* expected;
  } cases[] = {
      {"FRONTDESK", 14, 5, 9, "FRONTDESK_140509"},
      {"FRONTDESK", 0, 0, 0, "FRONTDESK_000000"},
      {"salon-2", 23, 59, 59, "salon-2_235959"},
      {"", 14, 5, 9, "CC_140509"},
  };
  for (const Case& c : cases) EXPECT_EQ(vxt::MakeTransactionName(c.computer, c.h, c.m, c.s), c.expected);

  const std::string now = vxt::MakeTransactionName();
  const std::string host = vxt::ComputerName().empty() ? "CC" : vxt::ComputerName();
  ASSERT_EQ(now.size(), host.size() + 7);
  EXPECT_EQ(now.substr(0, host.size() + 1), host + "_");
  EXPECT_EQ(now.find_first_not_of("0123456789", host.size() + 1), std::string::npos);
}

// ---- request lines -----------------------------------------------------------

vxt::RequestFields SampleFields() {
  vxt::RequestFields f;
  f.Clerk = "Ann";
  f.Receipt = "DovrelPOS12";
  f.CC = "4111111111111111";
  f.Exp = "2612";
  f.Swipe = ";4111=2612?";  // a swipe of its own, so the debit line shows where it goes
  f.Amount = "25.00";
  f.Zip = "12345";
  f.Address = "1 Main St, Apt 2";
  f.CV = "123";
  f.ApprovalCode = "A1B2";
  f.PurchaseAmount = "20.00";
  f.CashBackAmount = "5.00";
  f.TotalAmount = "25.00";
  f.PIN = "PINBLOCK";
  f.KeyBlock = "KSN9";
  f.ReqFileData = "\"X9\",\"raw\"";
  return f;
}

TEST(RequestLine, HasTheFieldsOfEachKind) {
  const vxt::RequestFields f = SampleFields();
  struct Case {
    vxt::Kind kind;
    const char* line;
  } cases[] = {
      {vxt::Kind::Purchase,
       R"("C1","Ann","DovrelPOS12","4111111111111111","2612;4111=2612?","25.00","12345","1 Main St, Apt 2","123")"},
      {vxt::Kind::Return, R"("C3","Ann","DovrelPOS12","4111111111111111","2612;4111=2612?","25.00")"},
      {vxt::Kind::Force,
       R"("C5","Ann","DovrelPOS12","4111111111111111","2612;4111=2612?","25.00","A1B2","12345","1 Main St, Apt 2")"},
      {vxt::Kind::PreAuth,
       R"("C6","Ann","DovrelPOS12","4111111111111111","2612;4111=2612?","25.00","12345","1 Main St, Apt 2","123")"},
      {vxt::Kind::DebitPurchase,
       R"("D1","Ann","DovrelPOS12","20.00","5.00","25.00","4111111111111111","",";4111=2612?","PINBLOCK","KSN9")"},
      {vxt::Kind::DebitReturn,
       R"("D3","Ann","DovrelPOS12","20.00","5.00","25.00","4111111111111111","",";4111=2612?","PINBLOCK","KSN9")"},
      {vxt::Kind::Generic, R"("X9","raw")"},
  };
  for (const Case& c : cases) EXPECT_EQ(vxt::BuildRequestLine(c.kind, f), c.line);
}

TEST(RequestLine, JoinsExpiryAndSwipe) {
  struct Case {
    const char *exp, *swipe, *field;
  } cases[] = {{"2612", "", "\"2612\""},
               {"", "%B4111^DOE/J^2612?", "\"%B4111^DOE/J^2612?\""},
               {"2612", ";4111=2612?", "\"2612;4111=2612?\""}};
  for (const Case& c : cases) {
    vxt::RequestFields f;
    f.Exp = c.exp;
    f.Swipe = c.swipe;
    EXPECT_EQ(vxt::BuildRequestLine(vxt::Kind::Return, f),
              std::string(R"("C3","","","",)") + c.field + R"(,"")");
  }
}

TEST(RequestLine, RefusesValuesThatWouldBreakTheRecord) {
  struct Case {
    vxt::Kind kind;
    std::string vxt::RequestFields::*field;
    std::string value;
    bool refused;
  } cases[] = {
      {vxt::Kind::Purchase, &vxt::RequestFields::Address, "1 Main St, Apt 2", false},
      {vxt::Kind::Purchase, &vxt::RequestFields::Address, "1 \"Main\" St", true},
      {vxt::Kind::Purchase, &vxt::RequestFields::Clerk, "Ann\r", true},
      {vxt::Kind::Purchase, &vxt::RequestFields::Swipe, "%B4111\n", true},
      {vxt::Kind::Force, &vxt::RequestFields::ApprovalCode, std::string("A\0B", 3), true},
      {vxt::Kind::DebitPurchase, &vxt::RequestFields::KeyBlock, "K\"", true},
      {vxt::Kind::Return, &vxt::RequestFields::CV, "\"", false},  // a return sends no CV
      {vxt::Kind::Generic, &vxt::RequestFields::ReqFileData, "\"C1\",\"x\"", false},
      {vxt::Kind::Generic, &vxt::RequestFields::ReqFileData, "\"C1\"\r\n\"C3\"", true},
      {vxt::Kind::Generic, &vxt::RequestFields::ReqFileData, std::string("C1\0", 3), true},
  };
  for (const Case& c : cases) {
    vxt::RequestFields f;
    f.*c.field = c.value;
    EXPECT_EQ(vxt::HasInvalidCharacter(c.kind, f), c.refused) << c.value;
  }
}

// ---- the request file -----------------------------------------------------------

TEST(RequestFile, HoldsTheLineAndCrLfPrivately) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  const std::string line = vxt::BuildRequestLine(vxt::Kind::Purchase, SampleFields());
  vxt::NameSource names{[] { return std::string("FRONTDESK_140509"); }, [] {}};
  for (const std::string& given : {folder, folder + "/"}) {
    const vxt::WriteResult r = vxt::WriteRequestFile(line, given, names);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.answerPath, folder + "/FRONTDESK_140509.ans");
    const std::string req = folder + "/FRONTDESK_140509.req";
    EXPECT_EQ(ReadBytes(req), line + "\r\n");
    struct stat st;
    ASSERT_EQ(stat(req.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(vxt::RequestPathFor(r.answerPath), req);
    EXPECT_EQ(vxt::HoldPathFor(r.answerPath), folder + "/FRONTDESK_140509.hld");
    ::unlink(req.c_str());
  }
}

// A card program that reacts to a new NAME.req reads it at once: it must
// never find the name before the line is in it. The reader plays such a
// program: it watches for each request as it is due and takes it the moment
// it is whole, and each request is written only once the reader watches for
// it. The line is long so that writing it takes long enough to be caught
// half done.
TEST(RequestFile, IsNeverSeenUnderItsNameBeforeItIsWhole) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  const std::string line = "\"C1\",\"" + std::string(256 * 1024, 'x') + "\"";
  constexpr int kRequests = 200;
  std::atomic<int> watched{0};
  std::atomic<bool> stop{false};
  int whole = 0, cut = 0;  // requests taken whole, and found short first
  std::thread reader([&] {
    for (int k = 1; k <= kRequests; ++k) {
      const std::string req = folder + "/POS_" + std::to_string(k) + ".req";
      watched = k;
      for (bool short_ = false;;) {
        struct stat st;
        if (::lstat(req.c_str(), &st) != 0) {
          if (stop.load()) return;
          continue;
        }
        if (static_cast<std::size_t>(st.st_size) == line.size() + 2 && ReadBytes(req) == line + "\r\n") break;
        if (!short_) ++cut;
        short_ = true;
      }
      ::unlink(req.c_str());
      ++whole;
    }
  });
  int n = 0;
  vxt::NameSource names{[&] { return "POS_" + std::to_string(++n); }, [] {}};
  bool written = true;
  for (int k = 1; k <= kRequests && written; ++k) {
    while (watched.load() < k) std::this_thread::yield();
    written = vxt::WriteRequestFile(line, folder, names).ok;
  }
  stop = !written;
  reader.join();
  EXPECT_TRUE(written);
  EXPECT_EQ(cut, 0) << "requests found under their name before they were whole";
  EXPECT_EQ(whole, kRequests);
  EXPECT_TRUE(Entries(dir).isEmpty()) << Entries(dir).join(",").toStdString();
}

TEST(RequestFile, MovesToTheNextSecondWhileAnyFileOfTheNameExists) {
  for (const char* leftover : {".req", ".ans", ".hld"}) {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    WriteBytes(folder + "/POS_100000" + leftover, "stale");
    int second = 0, waits = 0;
    vxt::NameSource names{[&] { return vxt::MakeTransactionName("POS", 10, 0, second); },
                          [&] { ++waits, ++second; }};
    const vxt::WriteResult r = vxt::WriteRequestFile("\"C3\"", folder, names);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.answerPath, folder + "/POS_100001.ans") << leftover;
    EXPECT_EQ(waits, 1) << leftover;
    EXPECT_EQ(ReadBytes(folder + "/POS_100000" + leftover), "stale") << leftover;
  }
}

TEST(RequestFile, NeverWritesThroughASymbolicLink) {
  QTemporaryDir dir, elsewhere;
  const std::string folder = dir.path().toStdString();
  const std::string target = elsewhere.path().toStdString() + "/victim";
  WriteBytes(target, "keep");
  ASSERT_EQ(::symlink(target.c_str(), (folder + "/POS_100000.req").c_str()), 0);
  int second = 0;
  vxt::NameSource names{[&] { return vxt::MakeTransactionName("POS", 10, 0, second); }, [&] { ++second; }};
  const vxt::WriteResult r = vxt::WriteRequestFile("\"C3\"", folder, names);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.answerPath, folder + "/POS_100001.ans");
  EXPECT_EQ(ReadBytes(target), "keep");
}

TEST(RequestFile, AFailedWriteRemovesThePartialFileAndSaysWhy) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  vxt::WriteResult r;
  {
    NoFileGrowth noGrowth;
    ASSERT_TRUE(noGrowth.active());
    r = vxt::WriteRequestFile("\"C3\"", folder);
  }

  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find(std::strerror(EFBIG)), std::string::npos) << r.error;
  EXPECT_TRUE(Entries(dir).isEmpty()) << Entries(dir).join(",").toStdString();
}

// ---- the answer ------------------------------------------------------------------

TEST(AnswerLine, FollowsTheStatusAndTailRules) {
  struct Case {
    std::string line;
    bool approved;
    std::string message, avs, cvv2;
  } cases[] = {
      {"Y123456", true, "123456", "", ""},
      {"YABCDEF", true, "ABCDEF", "", ""},
      {"YAPPROVED42YM", true, "APPROVED42", "Y", "M"},
      {"Y42Z", true, "42", "Z", ""},
      {"YAB", true, "", "A", "B"},
      {"YA", true, "A", "", ""},
      {"Y", true, "Approved", "", ""},
      {"T", true, "Approved", "", ""},
      {"TOK\bX", true, "OK\b", "X", ""},
      {"yAPPROVED", false, "APPROVED", "", ""},
      {"N", false, "Failure, no message available", "", ""},
      {"NDECLINED", false, "DECLINED", "", ""},
      {"NDECLINED42YM", false, "DECLINED42YM", "", ""},
      {"\"Y\",\"APPROVED\",\"1234\"", true, ",APPROVED,1234", "", ""},
      {"\"Y\"\"OK\"\"ZM\"", true, "OK", "Z", "M"},
      {"YCaf\xC3\xA9sZM", true, "Caf\xC3\xA9s", "Z", "M"},
      {"YCaf\xC3\xA9ZM", true, "Caf\xC3\xA9ZM", "", ""},  // 7 characters, 8 bytes
      {"YOK5\xC3\xA9", true, "OK5", "\xC3\xA9", ""},
      {"", false, "Transaction Error - Invalid answer file", "", ""},
      {"\"\"\"\"", false, "Transaction Error - Invalid answer file", "", ""},
  };
  for (const Case& c : cases) {
    const vxt::Outcome o = vxt::ParseAnswerLine(c.line);
    EXPECT_EQ(o.Approved, c.approved) << c.line;
    EXPECT_EQ(o.ResultMessage, c.message) << c.line;
    EXPECT_EQ(o.AVSCode, c.avs) << c.line;
    EXPECT_EQ(o.CVV2Code, c.cvv2) << c.line;
  }
}

TEST(AnswerFile, UsesTheFirstLineAndIsDeleted) {
  struct Case {
    std::string contents;
    bool approved;
    std::string message;
  } cases[] = {
      {"YAPPROVED42\r\n", true, "APPROVED42"},
      {"NDECLINED\r\nYAPPROVED\r\n", false, "DECLINED"},
      {"NLF\nY", false, "LF"},
      {"NCR\rY", false, "CR"},
      {"NNOEND", false, "NOEND"},
      {"", false, "Transaction Error - Invalid answer file"},
      {"\r\nYAPPROVED\r\n", false, "Transaction Error - Invalid answer file"},
  };
  QTemporaryDir dir;
  const std::string path = dir.path().toStdString() + "/POS_1.ans.tmp";
  for (const Case& c : cases) {
    WriteBytes(path, c.contents);
    int pauses = 0;
    const vxt::Outcome o = vxt::ReadAnswerFile(path, [&] { ++pauses; });
    EXPECT_EQ(o.Approved, c.approved) << c.contents;
    EXPECT_EQ(o.ResultMessage, c.message) << c.contents;
    EXPECT_EQ(pauses, 0);
    EXPECT_FALSE(vxt::FileExists(path)) << c.contents;
  }
}

TEST(AnswerFile, IsLoadedOnceMoreAfterAFailedLoad) {
  QTemporaryDir dir;
  const std::string path = dir.path().toStdString() + "/POS_1.ans.tmp";
  int pauses = 0;
  // Still not loadable at the second try: declined, the wait still ends.
  vxt::Outcome o = vxt::ReadAnswerFile(path, [&] { ++pauses; });
  EXPECT_EQ(pauses, 1);
  EXPECT_FALSE(o.Approved);
  EXPECT_EQ(o.ResultMessage, "Transaction Error - Invalid answer file");
  // Loadable at the second try.
  o = vxt::ReadAnswerFile(path, [&] { WriteBytes(path, "YOK1\r\n"); });
  EXPECT_TRUE(o.Approved);
  EXPECT_EQ(o.ResultMessage, "OK1");
  EXPECT_FALSE(vxt::FileExists(path));
}

TEST(AnswerFile, OnlyARegularFileWithinTheBoundIsRead) {
  // An approval padded to a size: the first line decides when the file is read.
  const auto padded = [](std::size_t size) {
    std::string bytes = "YBIG1\r\n";
    return bytes + std::string(size - bytes.size(), 'x');
  };
  struct Case {
    const char* what;
    std::function<void(const std::string&)> make;
    bool approved;
  } cases[] = {
      {"64 KiB", [&](const std::string& p) { WriteBytes(p, padded(64 * 1024)); }, true},
      {"a byte more", [&](const std::string& p) { WriteBytes(p, padded(64 * 1024 + 1)); }, false},
      {"a FIFO", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, false},
      {"a directory", [](const std::string& p) { ASSERT_EQ(::mkdir(p.c_str(), 0700), 0); }, false},
      {"a link to an answer",
       [](const std::string& p) {
         WriteBytes(p + ".real", "YLINKED\r\n");
         ASSERT_EQ(::symlink((p + ".real").c_str(), p.c_str()), 0);
       },
       false},
  };
  QTemporaryDir dir;
  const std::string path = dir.path().toStdString() + "/POS_1.ans.tmp";
  for (const Case& c : cases) {
    c.make(path);
    int pauses = 0;
    const vxt::Outcome o = vxt::ReadAnswerFile(path, [&] { ++pauses; });
    EXPECT_EQ(o.Approved, c.approved) << c.what;
    EXPECT_EQ(o.ResultMessage, c.approved ? "BIG1" : "Transaction Error - Invalid answer file") << c.what;
    EXPECT_EQ(pauses, 0) << c.what << ": no second load for a file of the wrong kind or size";
    EXPECT_FALSE(vxt::FileExists(path)) << c.what;
  }
  EXPECT_EQ(ReadBytes(path + ".real"), "YLINKED\r\n") << "the link's target is left alone";
}

TEST(AnswerFile, IsClaimedUnderANameOfItsOwn) {
  QTemporaryDir dir;
  const std::string ans = dir.path().toStdString() + "/POS_1.ans";
  // Whatever else stands beside it, an earlier claim or a card program's own
  // name for an answer it writes, the claim goes to a free name.
  WriteBytes(ans + ".tmp", "YOLD\r\n");
  WriteBytes(ans, "YNEW\r\n");
  const vxt::Claim first = vxt::ClaimAnswer(ans);
  ASSERT_EQ(first.status, vxt::Claim::Claimed);
  EXPECT_EQ(ReadBytes(first.path), "YNEW\r\n");
  EXPECT_EQ(vxt::AnsweredTransaction(QFileInfo(QString::fromStdString(first.path)).fileName().toStdString()),
            "POS_1");
  EXPECT_FALSE(vxt::FileExists(ans));
  EXPECT_EQ(ReadBytes(ans + ".tmp"), "YOLD\r\n");
  WriteBytes(ans, "YNEXT\r\n");
  const vxt::Claim second = vxt::ClaimAnswer(ans);
  ASSERT_EQ(second.status, vxt::Claim::Claimed);
  EXPECT_NE(second.path, first.path);
  EXPECT_EQ(ReadBytes(first.path), "YNEW\r\n");
  // Gone meanwhile: nothing to claim, which is no error.
  EXPECT_EQ(vxt::ClaimAnswer(ans).status, vxt::Claim::Absent);
}

TEST(AnswerFile, CountsOnlyOnceItStoodStillFromOneLookToTheNext) {
  QTemporaryDir dir;
  const std::string ans = dir.path().toStdString() + "/POS_1.ans";
  // Sets the modification time without changing the contents.
  const auto touch = [&](long sec) {
    const struct timespec times[2] = {{sec, 0}, {sec, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, ans.c_str(), times, 0), 0);
  };
  using S = vxt::AnswerState;
  struct Step {
    const char* what;
    std::function<void()> change;
    S state;
  } steps[] = {
      {"nothing there", [] {}, S::Absent},
      {"created empty", [&] { WriteBytes(ans, ""); }, S::Changing},
      {"unchanged", [] {}, S::Still},
      {"first half written", [&] { std::ofstream(ans, std::ios::app) << "YAPPRO"; }, S::Changing},
      {"unchanged again", [] {}, S::Still},
      {"same size, touched", [&] { touch(1000000000); }, S::Changing},
      {"unchanged once more", [] {}, S::Still},
      {"gone", [&] { ::unlink(ans.c_str()); }, S::Absent},
      {"back, as it was", [&] { WriteBytes(ans, "YAPPRO"), touch(1000000000); }, S::Changing},
      {"replaced by a link", [&] { ::unlink(ans.c_str()), ::symlink("/nonexistent", ans.c_str()); },
       S::Changing},
      {"the link unchanged", [] {}, S::Still},
  };
  vxt::AnswerWatch watch;
  for (const Step& step : steps) {
    step.change();
    EXPECT_EQ(watch.Look(ans), step.state) << step.what;
  }
}

// ---- waiting ---------------------------------------------------------------------

TEST(Timeout, HoldExtendsWithinTheLimit) {
  const vxt::TimeoutSettings real;
  EXPECT_EQ(real.defaultSecs, 90);
  struct Case {
    int current;
    bool hold;
    std::optional<int> next;
  } cases[] = {{90, false, std::nullopt},
               {90, true, 120},
               {120, true, 150},
               {570, true, 600},
               {600, true, std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(vxt::ExtendTimeout(c.current, c.hold, real), c.next) << c.current;
}

TEST(Timeout, CanBeShortenedThroughTheEnvironment) {
  setenv("VXTRANS_DEFAULT_TIMEOUT", "2", 1);
  setenv("VXTRANS_HOLD_EXTENSION", "junk", 1);
  const vxt::TimeoutSettings s = vxt::CurrentTimeoutSettings();
  unsetenv("VXTRANS_DEFAULT_TIMEOUT");
  unsetenv("VXTRANS_HOLD_EXTENSION");
  EXPECT_EQ(s.defaultSecs, 2);
  EXPECT_EQ(s.holdStepSecs, 30);
  EXPECT_EQ(s.maxSecs, 600);
  EXPECT_EQ(vxt::CurrentTimeoutSettings().defaultSecs, 90);
}

TEST(Timeout, ElapsedTimeTexts) {
  struct Case {
    std::int64_t ms, whole;
    const char* text;
  } cases[] = {{0, 0, " 00:00"},          {499, 0, " 00:00"},       {500, 1, " 00:00"},
               {65000, 65, " 01:05"},     {90400, 90, " 01:30"},    {90500, 91, " 01:30"},
               {3600000, 3600, " 00:00"}, {3725000, 3725, " 02:05"}};
  for (const Case& c : cases) {
    EXPECT_EQ(vxt::ElapsedWholeSeconds(c.ms), c.whole) << c.ms;
    EXPECT_EQ(vxt::ElapsedText(c.ms), c.text) << c.ms;
  }
}

// ---- outputs ---------------------------------------------------------------------

TEST(Outputs, CutOnACharacterBoundaryAndStayInsideTheBuffer) {
  struct Case {
    std::string text;
    std::size_t size;
    std::string kept;
  } cases[] = {
      {"APPROVED", 50, "APPROVED"},
      {std::string(60, 'x'), 50, std::string(49, 'x')},
      {std::string(47, 'x') + "\xC3\xA9", 50, std::string(47, 'x') + "\xC3\xA9"},
      {std::string(47, 'x') + "\xC3\xA9" + "z", 50, std::string(47, 'x') + "\xC3\xA9"},
      {std::string(48, 'x') + "\xC3\xA9", 50, std::string(48, 'x')},
      {std::string(47, 'x') + "\xE2\x82\xAC", 50, std::string(47, 'x')},
      {std::string(49, 'x') + "\xF0\x9D\x84\x9E", 50, std::string(49, 'x')},
      {"\xE2\x82\xAC", 3, ""},
      {"", 1, ""},
  };
  for (const Case& c : cases) {
    char buffer[64 + 8];
    std::memset(buffer, '#', sizeof buffer);
    vxt::CopyToBuffer(buffer, c.size, c.text);
    EXPECT_EQ(std::string(buffer), c.kept) << c.text;
    for (std::size_t i = c.size; i < sizeof buffer; ++i)
      ASSERT_EQ(buffer[i], '#') << "byte " << i << " written";
  }
}

TEST(Outputs, GoToTheBuffersOfTheKind) {
  vxt::Outcome approved{true, "APPROVED42", "Y", "M"};
  vxt::Outcome declined{false, "DECLINED", "", ""};
  vxt::Outcome timedOut{false, "Transaction time-out", "", ""};
  struct Case {
    vxt::Kind kind;
    bool answered;
    vxt::Outcome outcome;
    bool tranResult;
    const char *error, *approval, *avs, *cvv2;
  } cases[] = {
      {vxt::Kind::Purchase, true, approved, true, "", "APPROVED42", "Y", "M"},
      {vxt::Kind::PreAuth, true, approved, true, "", "APPROVED42", "Y", "M"},
      {vxt::Kind::Generic, true, approved, true, "", "APPROVED42", "Y", "M"},
      {vxt::Kind::Force, true, approved, true, "", "", "Y", ""},
      {vxt::Kind::Return, true, approved, true, "", "APPROVED42", "", ""},
      {vxt::Kind::DebitPurchase, true, approved, true, "", "APPROVED42", "", ""},
      {vxt::Kind::DebitReturn, true, approved, true, "", "APPROVED42", "", ""},
      {vxt::Kind::Purchase, true, declined, false, "DECLINED", "", "", ""},
      {vxt::Kind::Force, true, declined, false, "DECLINED", "", "", ""},
      {vxt::Kind::DebitReturn, true, declined, false, "DECLINED", "", "", ""},
      {vxt::Kind::Purchase, false, timedOut, false, "Transaction time-out", "", "", ""},
      // Not answered is never approved, whatever the outcome says.
      {vxt::Kind::Purchase, false, approved, false, "APPROVED42", "", "", ""},
  };
  for (const Case& c : cases) {
    char error[100], approval[50], avs[50], cvv2[50];
    for (char* b : {error, approval, avs, cvv2}) std::strcpy(b, "old text");
    bool tranResult = !c.tranResult;
    vxt::FillOutputs(c.kind, c.answered, c.outcome, &tranResult, {error, approval, avs, cvv2});
    EXPECT_EQ(tranResult, c.tranResult);
    EXPECT_STREQ(error, c.error);
    EXPECT_STREQ(approval, c.approval);
    EXPECT_STREQ(avs, c.avs);
    EXPECT_STREQ(cvv2, c.cvv2);
  }
  // A long message fills ErrorMsg's 100 bytes and no more.
  char error[100 + 4];
  std::memset(error, '#', sizeof error);
  vxt::FillOutputs(vxt::Kind::Return, true, {false, std::string(150, 'd'), "", ""}, nullptr,
                   {error, nullptr, nullptr, nullptr});
  EXPECT_EQ(std::string(error), std::string(99, 'd'));
  EXPECT_EQ(std::string(error + 100, 4), "####");
}

// ---- type library ------------------------------------------------------------------

TEST(TypeLibrary, DescribesTheInterfaceAndClass) {
  const vxt::TypeLibrary& lib = vxt::VXTransactionTypeLibrary();
  EXPECT_EQ(lib.name, "VXTransaction");
  EXPECT_EQ(com::GuidToString(lib.libid), "{D2B8F46C-1E7A-4C39-8F52-6A0E9B3C71D4}");
  EXPECT_EQ(lib.majorVersion * 10 + lib.minorVersion, 10);
  EXPECT_EQ(lib.lcid, 1033u);
  EXPECT_EQ(lib.helpString, "VXTransaction Library");
  ASSERT_EQ(lib.interfaces.size(), 1u);
  const vxt::TypeInterface& i = lib.interfaces[0];
  EXPECT_EQ(com::GuidToString(i.iid), "{A7D3E915-2C4B-4F80-B6E1-95F0C2A4D738}");
  EXPECT_EQ(i.helpString, "Interface for VantixTransaction Object");
  EXPECT_TRUE(i.baseIid == IID_IUnknown);
  EXPECT_FALSE(i.dual);
  EXPECT_FALSE(i.oleAutomation);
  const struct {
    const char* name;
    std::size_t params;
  } methods[] = {{"CCPurchase", 17},      {"CCForce", 15},       {"CCPreAuth", 17}, {"CCReturn", 12},
                 {"CCDebitPurchase", 15}, {"CCDebitReturn", 15}, {"CCGeneric", 9}};
  ASSERT_EQ(i.methods.size(), 7u);
  for (std::size_t m = 0; m < 7; ++m) {
    const vxt::TypeMethod& method = i.methods[m];
    EXPECT_EQ(method.name, methods[m].name);
    EXPECT_EQ(method.memberId, static_cast<int>(m) + 1);
    ASSERT_EQ(method.params.size(), methods[m].params) << method.name;
    EXPECT_EQ(method.params[0].name, "hHandle");
    EXPECT_EQ(method.params[0].type, "long");
    if (method.name == "CCGeneric") {
      for (const vxt::TypeParam& p : method.params) EXPECT_EQ(p.flags, unsigned{vxt::kParamIn}) << p.name;
    } else {
      EXPECT_EQ(method.params.back().name, "TranResult");
      EXPECT_EQ(method.params.back().flags, unsigned{vxt::kParamOut | vxt::kParamRetval}) << method.name;
      for (const vxt::TypeParam& p : method.params)
        EXPECT_EQ(p.flags & vxt::kParamOut, p.type.back() == '*' ? unsigned{vxt::kParamOut} : 0u) << p.name;
    }
  }
  const vxt::TypeCoClass* c = vxt::FindCoClass(lib, CLSID_VantixTransaction);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->name, "VantixTransaction");
  EXPECT_EQ(c->helpString, "VantixTransaction Object");
  EXPECT_TRUE(c->creatable);
  EXPECT_EQ(c->defaultInterface, "IVantixTransaction");
  EXPECT_EQ(vxt::FindCoClass(lib, IID_IUnknown), nullptr);
}

}  // namespace
