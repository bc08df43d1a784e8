// The payment bridge's rules as plain functions: transaction names, request
// lines, the request file, reading the answer, the time-out policy and copying
// an outcome into the caller's buffers. The wait window and the entry points
// are thin layers over these.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bridge/protocol.h"

namespace vxt {

// The bridge's own texts, beside those of bridge/protocol.h.
inline constexpr const char* kMsgCanceled = "Transaction canceled";
inline constexpr const char* kMsgFolderNotFound = "Transaction Folder not found";
inline constexpr const char* kMsgNoRequestData = "Error reading request file data";
inline constexpr const char* kMsgInvalidCharacter = "Invalid character in request data";

inline constexpr std::size_t kErrorMsgSize = 100;
inline constexpr std::size_t kTextSize = 50;

enum class Kind { Purchase, Force, PreAuth, Return, DebitPurchase, DebitReturn, Generic };

// The caller's inputs of every kind; each kind uses its own subset.
struct RequestFields {
  std::string Clerk, Receipt, CC, Exp, Swipe, Amount, Zip, Address, CV;
  std::string ApprovalCode;                                                // force only
  std::string PurchaseAmount, CashBackAmount, TotalAmount, PIN, KeyBlock;  // debit only
  std::string ReqFileData;                                                 // generic only
};

// ---- names -----------------------------------------------------------------

// "NAME_hhnnss", hours 00..23; an empty computer name becomes "CC".
std::string MakeTransactionName(const std::string& computerName, int hour, int minute, int second);
// The host name (read into a 254-character buffer), or "" when it cannot be read.
std::string ComputerName();
// The name for the current local time.
std::string MakeTransactionName();

// ---- request ---------------------------------------------------------------

std::string QuoteField(const std::string& value);
// "code","v1",...,"vn" (no line end). For Kind::Generic the line is ReqFileData.
std::string BuildRequestLine(Kind kind, const RequestFields& fields);
// True when a value written into the line holds a character the one-line
// record cannot carry (FindRefusedCharacter: ", CR, LF or NUL; for a generic
// line CR, LF or NUL).
bool HasInvalidCharacter(Kind kind, const RequestFields& fields);

// Where a new transaction's name comes from; tests replace the clock.
struct NameSource {
  std::function<std::string()> makeName;
  std::function<void()> waitForNextSecond;
};
NameSource SystemNameSource();

struct WriteResult {
  bool ok = false;
  std::string answerPath;  // P.ans
  std::string error;       // the failure, with the system's reason
};
// Picks a name none of whose files (P.req, P.ans, P.hld) exists, waiting for
// the next second while one does, and puts the line and CR LF there as
// P.req. The card program reacts to P.req as it appears, so the line is
// written beside it first, into a new file ".NAME.new-XXXX" (mode 0600,
// never through a symbolic link), and renamed to P.req in one step that
// never replaces a file: P.req is never seen short. A P.req that appears
// meanwhile moves the name on to the next second; any other failure is an
// error at once, and the file beside is removed on every failure. A folder
// whose text holds a NUL is refused: its files could not be named.
WriteResult WriteRequestFile(const std::string& line, const std::string& folder, const NameSource& names);
WriteResult WriteRequestFile(const std::string& line, const std::string& folder);

// P.ans -> P.req / P.hld / NAME
std::string RequestPathFor(const std::string& answerPath);
std::string HoldPathFor(const std::string& answerPath);
std::string TransactionNameOf(const std::string& answerPath);

// ---- answer ----------------------------------------------------------------

// Reads the claimed answer file (loading it once more after pauseBeforeRetry
// when the first load fails), deletes it and returns its outcome; an answer
// that cannot be loaded or holds no line is a declined invalid answer. So is,
// at once, anything that is not a regular file (a FIFO, a directory, a
// symbolic link) or holds more than 64 KiB.
Outcome ReadAnswerFile(const std::string& path, const std::function<void()>& pauseBeforeRetry);

// Claims the answer by moving it to a name of its own, NAME.ans.claim-XXXX
// with a fresh random suffix, in a rename that never replaces a file: no
// file left in the folder can block the claim, and no claim takes another's
// place. Absent: the answer is no longer there. Failed: it could not be
// moved (error is errno); the answer stays under its name.
struct Claim {
  enum Status { Claimed, Absent, Failed } status = Failed;
  std::string path;  // where the claimed answer is now
  int error = 0;
};
Claim ClaimAnswer(const std::string& answerPath);
// What the caller is told when the answer could not be claimed.
std::string ClaimFailureMessage(const std::string& answerPath, int error);

// Whether the answer under its name has been written to the end. A card
// program may create NAME.ans and then write into it, so the answer counts
// only once it has stood unchanged (same size and modification time) from
// one look to the next; the wait window looks once per poll.
enum class AnswerState { Absent, Changing, Still };
class AnswerWatch {
 public:
  // What stands under the name now (a link itself, not where it points),
  // compared with the previous look.
  AnswerState Look(const std::string& answerPath);

 private:
  struct Stamp {
    std::int64_t size = 0;
    std::int64_t modifiedSec = 0;
    long modifiedNsec = 0;
  };
  std::optional<Stamp> last_;
};

// ---- waiting ---------------------------------------------------------------

struct TimeoutSettings {
  int defaultSecs = 90;   // DefaultTimeoutSecs
  int holdStepSecs = 30;  // added each time the limit is reached while a hold file exists
  int maxSecs = 600;      // a hold never extends the wait beyond this
};
// The real defaults, or positive overrides from VXTRANS_DEFAULT_TIMEOUT,
// VXTRANS_HOLD_EXTENSION and VXTRANS_MAX_TIMEOUT (seconds), which tests use to
// keep their waits short.
TimeoutSettings CurrentTimeoutSettings();
// The limit after the elapsed time passed `current`: extended while the hold
// file exists and the extension stays within maxSecs, nothing for a time-out.
std::optional<int> ExtendTimeout(int current, bool holdExists, const TimeoutSettings& settings);
// Elapsed milliseconds to whole seconds, halves rounded up.
std::int64_t ElapsedWholeSeconds(std::int64_t elapsedMs);
// " nn:ss" of the elapsed time; an hour and more wraps to 00.
std::string ElapsedText(std::int64_t elapsedMs);

// ---- outputs ---------------------------------------------------------------

// Copies text into a buffer of `size` bytes with a terminating zero, cutting
// it on a UTF-8 character boundary when it does not fit.
void CopyToBuffer(char* buffer, std::size_t size, const std::string& text) noexcept;

// The outputs a kind hands back besides ErrorMsg and TranResult.
struct OutputSet {
  bool approvalCode = false;
  bool avsResult = false;
  bool cvv2Result = false;
};
OutputSet OutputsOf(Kind kind) noexcept;

// The caller's output buffers; a kind without an output passes null for it.
struct OutputBuffers {
  char* ErrorMsg = nullptr;      // kErrorMsgSize bytes
  char* ApprovalCode = nullptr;  // kTextSize bytes
  char* AVSResult = nullptr;     // kTextSize bytes
  char* CVV2Result = nullptr;    // kTextSize bytes
};
// Fills every buffer of the kind and TranResult from the outcome: approved,
// declined, or (answered false) the message as an error with all else empty.
// Allocates nothing and cannot fail.
void FillOutputs(Kind kind, bool answered, const Outcome& outcome, bool* tranResult,
                 const OutputBuffers& out) noexcept;

// ---- files -----------------------------------------------------------------

// True when anything stands under the name, a dangling symbolic link too: a
// name that is taken in any way is not free for a request or an answer.
bool FileExists(const std::string& path);

}  // namespace vxt
