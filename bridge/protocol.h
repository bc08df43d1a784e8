// The parts of the handshake with the card-processing program that the
// payment bridge and Trivela both apply: which characters a request may not
// hold, how an answer file is read, and the names of a transaction's answer
// and of the bridge's texts about it. Trivela does not link the bridge, so
// these are inline and compiled into each of them.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/descriptor.h"

namespace vxt {

// The bridge's own texts about an answer.
inline constexpr const char* kMsgApproved = "Approved";
inline constexpr const char* kMsgNoMessage = "Failure, no message available";
inline constexpr const char* kMsgInvalidAnswer = "Transaction Error - Invalid answer file";
inline constexpr const char* kMsgTimeout = "Transaction time-out";

// ---- request texts -----------------------------------------------------------

// Where a value holds a character the one-line request record cannot carry,
// or npos. In a quoted field a double quote would end the field; anywhere a
// CR or LF would end the line, and a NUL the text. A generic request's whole
// line brings its own quotes, so there only CR, LF and NUL count.
inline std::size_t FindRefusedCharacter(std::string_view value, bool quotedField = true) {
  using namespace std::string_view_literals;
  return value.find_first_of(quotedField ? "\"\r\n\0"sv : "\r\n\0"sv);
}

// ---- names -------------------------------------------------------------------

// Where a transaction's answer is: NAME.ans as the card program leaves it,
// then NAME.ans.claim-XXXXXXXXXXXXXXXX (a random suffix) once the bridge
// has claimed it to read it.
inline constexpr std::string_view kAnswerSuffix = ".ans";
inline constexpr std::string_view kClaimSuffix = ".claim-";  // after NAME.ans

// The transaction a file of the folder holds the answer of: NAME for
// NAME.ans and for a claim of it; nothing for any other name.
inline std::optional<std::string> AnsweredTransaction(std::string_view fileName) {
  const std::size_t claim = fileName.find(std::string(kAnswerSuffix) + std::string(kClaimSuffix));
  if (claim != std::string_view::npos && claim > 0) return std::string(fileName.substr(0, claim));
  if (fileName.size() > kAnswerSuffix.size() &&
      fileName.substr(fileName.size() - kAnswerSuffix.size()) == kAnswerSuffix)
    return std::string(fileName.substr(0, fileName.size() - kAnswerSuffix.size()));
  return std::nullopt;
}

// "Transaction time-out: NAME". The bridge's literal stays at the start, so
// a caller that compares the start of the message still finds it; the name
// tells which transaction the card program may still answer.
inline std::string TimeoutMessage(const std::string& transaction) {
  return std::string(kMsgTimeout) + ": " + transaction;
}
// The transaction a time-out message names ("" when it names none), or
// nothing when the message is not a time-out.
inline std::optional<std::string> TimedOutTransaction(std::string_view message) {
  const std::string_view literal = kMsgTimeout;
  if (message.substr(0, literal.size()) != literal) return std::nullopt;
  std::string_view rest = message.substr(literal.size());
  if (rest.substr(0, 1) == ":") rest.remove_prefix(1);
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  return std::string(rest);
}

// ---- answers -----------------------------------------------------------------

// What reading an answer yields.
struct Outcome {
  bool Approved = false;
  std::string ResultMessage;
  std::string AVSCode;
  std::string CVV2Code;
};

// The most an answer file may hold. The card program writes one short line;
// anything longer is not an answer and is never read whole.
inline constexpr std::size_t kMaxAnswerBytes = 64 * 1024;

// Loaded; Refused: not a regular file, or larger than kMaxAnswerBytes;
// Failed: could not be read (errno says why), worth trying again.
enum class Load { Loaded, Failed, Refused };

// Loads an answer file. The open never blocks and never follows a link, so a
// FIFO or a link planted under the answer's name cannot stall the reader.
inline Load LoadAnswer(const std::string& path, std::string* contents) {
  const files::Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
  if (fd.get() < 0) return errno == ELOOP ? Load::Refused : Load::Failed;
  struct stat st;
  if (::fstat(fd.get(), &st) != 0) return Load::Failed;
  if (!S_ISREG(st.st_mode) || st.st_size > static_cast<off_t>(kMaxAnswerBytes)) return Load::Refused;
  contents->clear();
  char buf[4096];
  // One byte past the bound tells a file that grew after fstat.
  while (contents->size() <= kMaxAnswerBytes) {
    const ssize_t n = ::read(fd.get(), buf, std::min(sizeof buf, kMaxAnswerBytes + 1 - contents->size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Load::Failed;
    if (n == 0) break;
    contents->append(buf, static_cast<std::size_t>(n));
  }
  return contents->size() <= kMaxAnswerBytes ? Load::Loaded : Load::Refused;
}

// The first line of a file's contents (a line ends at CR, LF or CR LF), or
// nothing when the contents hold no line at all.
inline std::optional<std::string> FirstLine(const std::string& contents) {
  if (contents.empty()) return std::nullopt;
  const std::size_t end = contents.find_first_of("\r\n");
  return contents.substr(0, end);
}

// The outcome of an answer line as found in the file (quotes not yet
// removed): "Y" or "T" first approves, the rest is the message, from which
// an approval's AVS and CVV2 letters are split off. A line that is empty
// once the quotes are gone is an invalid answer.
inline Outcome ParseAnswerLine(const std::string& rawLine) {
  Outcome out;
  std::string line;
  for (char c : rawLine)
    if (c != '"') line += c;
  if (line.empty()) {
    out.ResultMessage = kMsgInvalidAnswer;
    return out;
  }
  // Characters, not bytes: a message may end in a multi-byte character.
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < line.size(); ++i)
    if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80 || starts.empty()) starts.push_back(i);
  const std::size_t length = starts.size();
  const auto character = [&](std::size_t index) {
    const std::size_t end = index + 1 < length ? starts[index + 1] : line.size();
    return line.substr(starts[index], end - starts[index]);
  };
  // A digit of the tail rule: "0" to "9", or the backspace character.
  const auto isTailDigit = [](const std::string& c) {
    return c.size() == 1 && ((c[0] >= '0' && c[0] <= '9') || c[0] == '\b');
  };
  const std::string rest = line.substr(starts.size() > 1 ? starts[1] : line.size());
  const char status = line[0];
  if (status != 'Y' && status != 'T') {
    out.ResultMessage = rest.empty() ? std::string(kMsgNoMessage) : rest;
    return out;
  }
  out.Approved = true;
  out.ResultMessage = rest.empty() ? std::string(kMsgApproved) : rest;

  // The tail rule: an approval may end in an AVS letter and a CVV2 letter.
  const std::string last = character(length - 1);
  if (isTailDigit(last) || length == 7) return out;
  if (length >= 2 && isTailDigit(character(length - 2))) {
    out.AVSCode = last;
    out.ResultMessage.erase(out.ResultMessage.size() - std::min(out.ResultMessage.size(), last.size()));
    return out;
  }
  if (length <= 2) return out;
  const std::string secondLast = character(length - 2);
  out.AVSCode = secondLast;
  out.CVV2Code = last;
  const std::size_t cut = std::min(out.ResultMessage.size(), secondLast.size() + last.size());
  out.ResultMessage.erase(out.ResultMessage.size() - cut);
  return out;
}

// The outcome of an answer file's contents as loaded: a file that was
// refused or holds no line at all is a declined invalid answer.
inline Outcome OutcomeOf(Load load, const std::string& contents) {
  if (load == Load::Loaded)
    if (const std::optional<std::string> line = FirstLine(contents)) return ParseAnswerLine(*line);
  Outcome out;
  out.ResultMessage = kMsgInvalidAnswer;
  return out;
}

}  // namespace vxt
