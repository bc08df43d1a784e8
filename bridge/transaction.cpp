#include "bridge/transaction.h"

#include "bridge/frmprocess.h"
#include "platform/files/paths.h"

namespace vxt {

RunResult RunTransaction(std::int32_t hHandle, const std::string& folder, const std::string& caption,
                         Kind kind, const RequestFields& fields) {
  RunResult result;
  // A folder's text that holds a NUL would be cut there by every file call
  // and name another folder.
  if (folder.find('\0') != std::string::npos) {
    result.outcome.ResultMessage = kMsgInvalidCharacter;
    return result;
  }
  if (!files::dirExists(folder)) {
    result.outcome.ResultMessage = kMsgFolderNotFound;
    return result;
  }
  if (kind == Kind::Generic && fields.ReqFileData.empty()) {
    result.outcome.ResultMessage = kMsgNoRequestData;
    return result;
  }
  if (HasInvalidCharacter(kind, fields)) {
    result.outcome.ResultMessage = kMsgInvalidCharacter;
    return result;
  }
  // The window must be possible before a request goes out: a request the
  // card program could take and charge must always be waited for. This also
  // keeps callers on other threads away from the running transaction.
  if (!EnsureApplication(&result.error)) {
    result.status = RunResult::Failed;
    return result;
  }
  if (frmProcess != nullptr) {
    result.status = RunResult::Failed;
    result.error = "Another card transaction is in progress";
    return result;
  }
  const WriteResult written = WriteRequestFile(BuildRequestLine(kind, fields), folder);
  if (!written.ok) {
    result.status = RunResult::Failed;
    result.error = written.error;
    return result;
  }
  const bool answered =
      ProcessTransaction(hHandle, written.answerPath, caption, &result.outcome, &result.error);
  result.status = answered                ? RunResult::Answered
                  : !result.error.empty() ? RunResult::Failed
                                          : RunResult::NotAnswered;
  return result;
}

}  // namespace vxt
