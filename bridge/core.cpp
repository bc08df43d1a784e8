#include "bridge/core.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <thread>

#include "platform/files/descriptor.h"
#include "platform/files/paths.h"

namespace vxt {
namespace {

std::string SystemError(int err) {
  return std::strerror(err);
}

std::string TwoDigits(int v) {
  char buf[4];
  std::snprintf(buf, sizeof buf, "%02d", v % 100);
  return buf;
}

int PositiveEnv(const char* name, int fallback) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return fallback;
  char* end = nullptr;
  long v = std::strtol(text, &end, 10);
  if (end == nullptr || *end != '\0' || v <= 0 || v > 24 * 3600) return fallback;
  return static_cast<int>(v);
}

}  // namespace

// ---- names -----------------------------------------------------------------

std::string MakeTransactionName(const std::string& computerName, int hour, int minute, int second) {
  const std::string name = computerName.empty() ? std::string("CC") : computerName;
  return name + "_" + TwoDigits(hour) + TwoDigits(minute) + TwoDigits(second);
}

std::string ComputerName() {
  char buf[254 + 1] = {};
  if (gethostname(buf, sizeof buf - 1) != 0) return std::string();
  buf[sizeof buf - 1] = '\0';
  return buf;
}

std::string MakeTransactionName() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return MakeTransactionName(ComputerName(), local.tm_hour, local.tm_min, local.tm_sec);
}

// ---- request ---------------------------------------------------------------

std::string QuoteField(const std::string& value) {
  return "\"" + value + "\"";
}

namespace {

// The values of a kind's line after its type code, in line order.
std::vector<std::string> LineValues(Kind kind, const RequestFields& f) {
  switch (kind) {
    case Kind::Purchase:
    case Kind::PreAuth:
      return {f.Clerk, f.Receipt, f.CC, f.Exp + f.Swipe, f.Amount, f.Zip, f.Address, f.CV};
    case Kind::Return:
      return {f.Clerk, f.Receipt, f.CC, f.Exp + f.Swipe, f.Amount};
    case Kind::Force:
      return {f.Clerk, f.Receipt, f.CC, f.Exp + f.Swipe, f.Amount, f.ApprovalCode, f.Zip, f.Address};
    case Kind::DebitPurchase:
    case Kind::DebitReturn:
      return {f.Clerk, f.Receipt, f.PurchaseAmount, f.CashBackAmount, f.TotalAmount, f.CC, "",
              f.Swipe, f.PIN,     f.KeyBlock};
    case Kind::Generic:
      break;
  }
  return {};
}

const char* TypeCode(Kind kind) {
  switch (kind) {
    case Kind::Purchase:
      return "C1";
    case Kind::Return:
      return "C3";
    case Kind::Force:
      return "C5";
    case Kind::PreAuth:
      return "C6";
    case Kind::DebitPurchase:
      return "D1";
    case Kind::DebitReturn:
      return "D3";
    case Kind::Generic:
      break;
  }
  return "";
}

}  // namespace

std::string BuildRequestLine(Kind kind, const RequestFields& fields) {
  if (kind == Kind::Generic) return fields.ReqFileData;
  std::string line = QuoteField(TypeCode(kind));
  for (const std::string& value : LineValues(kind, fields)) line += "," + QuoteField(value);
  return line;
}

bool HasInvalidCharacter(Kind kind, const RequestFields& fields) {
  if (kind == Kind::Generic) return FindRefusedCharacter(fields.ReqFileData, false) != std::string::npos;
  for (const std::string& value : LineValues(kind, fields))
    if (FindRefusedCharacter(value) != std::string::npos) return true;
  return false;
}

NameSource SystemNameSource() {
  NameSource source;
  source.makeName = [] { return MakeTransactionName(); };
  source.waitForNextSecond = [] {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto next = time_point_cast<seconds>(now) + seconds(1);
    std::this_thread::sleep_until(next + milliseconds(5));
  };
  return source;
}

namespace {

// P.ans without its "ans".
std::string StemOf(const std::string& answerPath) {
  return answerPath.substr(0, answerPath.size() >= 3 ? answerPath.size() - 3 : 0);
}

// A fresh suffix for a name of the bridge's own beside a transaction's files.
std::string RandomSuffix() {
  static std::mt19937_64 random{std::random_device{}()};
  char suffix[17];
  std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
  return suffix;
}

}  // namespace

std::string RequestPathFor(const std::string& answerPath) {
  return StemOf(answerPath) + "req";
}

std::string HoldPathFor(const std::string& answerPath) {
  return StemOf(answerPath) + "hld";
}

std::string TransactionNameOf(const std::string& answerPath) {
  const std::string stem = StemOf(answerPath);
  const std::size_t slash = stem.rfind('/');
  const std::string name = slash == std::string::npos ? stem : stem.substr(slash + 1);
  return name.empty() ? name : name.substr(0, name.size() - 1);  // the stem's "."
}

WriteResult WriteRequestFile(const std::string& line, const std::string& folder, const NameSource& names) {
  WriteResult result;
  if (folder.find('\0') != std::string::npos) {
    result.error = "The transaction folder's name holds a NUL character";
    return result;
  }
  const std::string dir = (!folder.empty() && folder.back() == '/') ? folder : folder + "/";
  // A stale request, answer or hold of an earlier transaction with the same
  // name must never be taken for this one, so the name moves on to the next
  // second until all three are free. Bounded so a folder full of leftovers
  // cannot hold the caller forever.
  constexpr int kMaxNameTries = 120;
  for (int attempt = 0; attempt < kMaxNameTries; ++attempt) {
    if (attempt > 0) names.waitForNextSecond();
    const std::string name = names.makeName();
    const std::string stem = dir + name;
    const std::string req = stem + ".req";
    if (FileExists(req) || FileExists(stem + ".ans") || FileExists(stem + ".hld")) continue;

    // Beside the request, under a name the card program never takes for one.
    std::string beside;
    files::Descriptor fd(files::createTempBeside(req, "." + name + ".new-", 0600, &beside));
    if (!fd.valid()) {
      result.error = "Cannot create file \"" + req + "\". " + SystemError(errno);
      return result;
    }
    struct RemoveUnlessPlaced {
      const std::string& path;
      bool placed = false;
      ~RemoveUnlessPlaced() {
        if (!placed) ::unlink(path.c_str());
      }
    } cleanup{beside};
    const std::string text = line + "\r\n";
    bool ok = files::writeAll(fd.get(), text.data(), text.size());
    int err = ok ? 0 : errno;
    if (fd.close() != 0 && ok) {
      ok = false;
      err = errno;
    }
    if (!ok) {
      result.error = "Cannot write file \"" + req + "\". " + SystemError(err);
      return result;
    }
    if (!files::renameNoReplace(beside, req)) {
      if (errno == EEXIST) continue;  // another writer took the name meanwhile
      result.error = "Cannot create file \"" + req + "\". " + SystemError(errno);
      return result;
    }
    cleanup.placed = true;
    result.ok = true;
    result.answerPath = stem + ".ans";
    return result;
  }
  result.error = "No free transaction name in \"" + folder + "\"";
  return result;
}

WriteResult WriteRequestFile(const std::string& line, const std::string& folder) {
  return WriteRequestFile(line, folder, SystemNameSource());
}

// ---- answer ----------------------------------------------------------------

Outcome ReadAnswerFile(const std::string& path, const std::function<void()>& pauseBeforeRetry) {
  std::string contents;
  Load load = LoadAnswer(path, &contents);
  if (load == Load::Failed) {
    if (pauseBeforeRetry) pauseBeforeRetry();
    load = LoadAnswer(path, &contents);
  }
  const Outcome out = OutcomeOf(load, contents);
  // remove() also takes an empty directory claimed under the answer's name.
  std::remove(path.c_str());
  return out;
}

Claim ClaimAnswer(const std::string& answerPath) {
  Claim claim;
  // A taken name is another's claim; with a fresh suffix each time the next
  // name is free.
  for (int attempt = 0; attempt < 100; ++attempt) {
    claim.path = answerPath + std::string(kClaimSuffix) + RandomSuffix();
    if (files::renameNoReplace(answerPath, claim.path)) {
      claim.status = Claim::Claimed;
      return claim;
    }
    if (errno != EEXIST) break;
  }
  claim.error = errno;
  claim.status = claim.error == ENOENT ? Claim::Absent : Claim::Failed;
  claim.path.clear();
  return claim;
}

std::string ClaimFailureMessage(const std::string& answerPath, int error) {
  return "The answer of transaction " + TransactionNameOf(answerPath) + " cannot be taken (" +
         SystemError(error) + "); the card may be approved. The answer stays in the transaction folder.";
}

AnswerState AnswerWatch::Look(const std::string& answerPath) {
  struct stat st;
  if (::lstat(answerPath.c_str(), &st) != 0) {
    last_.reset();
    return AnswerState::Absent;
  }
  const Stamp now{static_cast<std::int64_t>(st.st_size), static_cast<std::int64_t>(st.st_mtim.tv_sec),
                  st.st_mtim.tv_nsec};
  const bool still = last_ && last_->size == now.size && last_->modifiedSec == now.modifiedSec &&
                     last_->modifiedNsec == now.modifiedNsec;
  last_ = now;
  return still ? AnswerState::Still : AnswerState::Changing;
}

// ---- waiting ---------------------------------------------------------------

TimeoutSettings CurrentTimeoutSettings() {
  TimeoutSettings s;
  s.defaultSecs = PositiveEnv("VXTRANS_DEFAULT_TIMEOUT", s.defaultSecs);
  s.holdStepSecs = PositiveEnv("VXTRANS_HOLD_EXTENSION", s.holdStepSecs);
  s.maxSecs = PositiveEnv("VXTRANS_MAX_TIMEOUT", s.maxSecs);
  return s;
}

std::optional<int> ExtendTimeout(int current, bool holdExists, const TimeoutSettings& settings) {
  if (!holdExists || current + settings.holdStepSecs > settings.maxSecs) return std::nullopt;
  return current + settings.holdStepSecs;
}

std::int64_t ElapsedWholeSeconds(std::int64_t elapsedMs) {
  return (elapsedMs + 500) / 1000;
}

std::string ElapsedText(std::int64_t elapsedMs) {
  const std::int64_t secs = elapsedMs / 1000;
  return " " + TwoDigits(static_cast<int>((secs / 60) % 60)) + ":" + TwoDigits(static_cast<int>(secs % 60));
}

// ---- outputs ---------------------------------------------------------------

void CopyToBuffer(char* buffer, std::size_t size, const std::string& text) noexcept {
  if (buffer == nullptr || size == 0) return;
  std::size_t n = std::min(text.size(), size - 1);
  // Never leave half a character: back off over continuation bytes when the
  // cut falls inside a multi-byte sequence.
  if (n < text.size())
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}

OutputSet OutputsOf(Kind kind) noexcept {
  switch (kind) {
    case Kind::Purchase:
    case Kind::PreAuth:
    case Kind::Generic:
      return {true, true, true};
    case Kind::Force:
      return {false, true, false};
    case Kind::Return:
    case Kind::DebitPurchase:
    case Kind::DebitReturn:
      break;
  }
  return {true, false, false};
}

void FillOutputs(Kind kind, bool answered, const Outcome& outcome, bool* tranResult,
                 const OutputBuffers& out) noexcept {
  // Points at the outcome's texts instead of copying them: once a transaction
  // has run, handing its outcome back must not be able to fail.
  static const std::string kEmpty;
  const bool approved = answered && outcome.Approved;
  const std::string* errorMsg = &kEmpty;
  const std::string* approvalCode = &kEmpty;
  const std::string* avs = &kEmpty;
  const std::string* cvv2 = &kEmpty;
  if (!approved) {
    errorMsg = &outcome.ResultMessage;
  } else {
    const OutputSet has = OutputsOf(kind);
    if (has.approvalCode) approvalCode = &outcome.ResultMessage;
    if (has.avsResult) avs = &outcome.AVSCode;
    if (has.cvv2Result) cvv2 = &outcome.CVV2Code;
  }
  if (tranResult != nullptr) *tranResult = approved;
  CopyToBuffer(out.ErrorMsg, kErrorMsgSize, *errorMsg);
  CopyToBuffer(out.ApprovalCode, kTextSize, *approvalCode);
  CopyToBuffer(out.AVSResult, kTextSize, *avs);
  CopyToBuffer(out.CVV2Result, kTextSize, *cvv2);
}

// ---- files -----------------------------------------------------------------

bool FileExists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace vxt
