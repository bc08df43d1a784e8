// The seven C entry points. Each runs one whole transaction and copies its
// outcome into the caller's buffers; no exception leaves them.
#include <exception>

#include "bridge/transaction.h"
#include "bridge/vxtransaction.h"

namespace {

std::string Text(const char* s) {
  return s != nullptr ? std::string(s) : std::string();
}

// Clears every buffer of the kind: what a caller sees when not even the
// error text could be handed back.
void ClearOutputs(bool* tranResult, const vxt::OutputBuffers& out) noexcept {
  if (tranResult != nullptr) *tranResult = false;
  for (char* buffer : {out.ErrorMsg, out.ApprovalCode, out.AVSResult, out.CVV2Result})
    if (buffer != nullptr) buffer[0] = '\0';
}

// makeFields converts the caller's texts; it runs inside the guard because
// copying them can fail as well.
template <typename MakeFields>
bool Run(std::int32_t hHandle, const char* folder, const char* caption, vxt::Kind kind,
         const MakeFields& makeFields, bool* tranResult, const vxt::OutputBuffers& out) noexcept {
  try {
    vxt::RunResult run;
    try {
      run = vxt::RunTransaction(hHandle, Text(folder), Text(caption), kind, makeFields());
    } catch (const std::exception& e) {
      run.status = vxt::RunResult::Failed;
      run.error = e.what();
    } catch (...) {
      run.status = vxt::RunResult::Failed;
      run.error = "Unexpected error in the payment bridge";
    }
    // A plain C caller has no error channel besides the message: an internal
    // error comes back like a transaction without an answer.
    if (run.status == vxt::RunResult::Failed) {
      run.outcome = vxt::Outcome();
      run.outcome.ResultMessage = run.error;
    }
    vxt::FillOutputs(kind, run.status == vxt::RunResult::Answered, run.outcome, tranResult, out);
    return run.status == vxt::RunResult::Answered;
  } catch (...) {
    // Not even the error text could be made (memory ran out).
    ClearOutputs(tranResult, out);
    return false;
  }
}

vxt::RequestFields Card(const char* Clerk, const char* Receipt, const char* CC, const char* Exp,
                        const char* Swipe, const char* Amount) {
  vxt::RequestFields f;
  f.Clerk = Text(Clerk);
  f.Receipt = Text(Receipt);
  f.CC = Text(CC);
  f.Exp = Text(Exp);
  f.Swipe = Text(Swipe);
  f.Amount = Text(Amount);
  return f;
}

// Purchase and pre-authorisation also carry the address check and the card
// verification value.
vxt::RequestFields Verified(const char* Clerk, const char* Receipt, const char* CC, const char* Exp,
                            const char* Swipe, const char* Amount, const char* Zip, const char* Address,
                            const char* CV) {
  vxt::RequestFields f = Card(Clerk, Receipt, CC, Exp, Swipe, Amount);
  f.Zip = Text(Zip);
  f.Address = Text(Address);
  f.CV = Text(CV);
  return f;
}

vxt::RequestFields Debit(const char* Clerk, const char* Receipt, const char* PurchaseAmount,
                         const char* CashBackAmount, const char* TotalAmount, const char* CC,
                         const char* Swipe, const char* PIN, const char* KeyBlock) {
  vxt::RequestFields f;
  f.Clerk = Text(Clerk);
  f.Receipt = Text(Receipt);
  f.PurchaseAmount = Text(PurchaseAmount);
  f.CashBackAmount = Text(CashBackAmount);
  f.TotalAmount = Text(TotalAmount);
  f.CC = Text(CC);
  f.Swipe = Text(Swipe);
  f.PIN = Text(PIN);
  f.KeyBlock = Text(KeyBlock);
  return f;
}

}  // namespace

extern "C" {

VXTRANS_API bool VXTrans_CCPurchase(int32_t hHandle, const char* TranFolder, const char* TranCaption,
                                    const char* Clerk, const char* Receipt, const char* CC, const char* Exp,
                                    const char* Swipe, const char* Amount, const char* Zip,
                                    const char* Address, const char* CV, bool* TranResult, char* ErrorMsg,
                                    char* ApprovalCode, char* AVSResult, char* CVV2Result) {
  const auto fields = [&] { return Verified(Clerk, Receipt, CC, Exp, Swipe, Amount, Zip, Address, CV); };
  return Run(hHandle, TranFolder, TranCaption, vxt::Kind::Purchase, fields, TranResult,
             {ErrorMsg, ApprovalCode, AVSResult, CVV2Result});
}

VXTRANS_API bool VXTrans_CCForce(int32_t hHandle, const char* TranFolder, const char* TranCaption,
                                 const char* Clerk, const char* Receipt, const char* CC, const char* Exp,
                                 const char* Swipe, const char* Amount, const char* ApprovalCode,
                                 const char* Zip, const char* Address, bool* TranResult, char* ErrorMsg,
                                 char* AVSResult) {
  const auto fields = [&] {
    vxt::RequestFields f = Card(Clerk, Receipt, CC, Exp, Swipe, Amount);
    f.ApprovalCode = Text(ApprovalCode);
    f.Zip = Text(Zip);
    f.Address = Text(Address);
    return f;
  };
  return Run(hHandle, TranFolder, TranCaption, vxt::Kind::Force, fields, TranResult,
             {ErrorMsg, nullptr, AVSResult, nullptr});
}

VXTRANS_API bool VXTrans_CCPreAuth(int32_t hHandle, const char* TranFolder, const char* TranCaption,
                                   const char* Clerk, const char* Receipt, const char* CC, const char* Exp,
                                   const char* Swipe, const char* Amount, const char* Zip,
                                   const char* Address, const char* CV, bool* TranResult, char* ErrorMsg,
                                   char* ApprovalCode, char* AVSResult, char* CVV2Result) {
  const auto fields = [&] { return Verified(Clerk, Receipt, CC, Exp, Swipe, Amount, Zip, Address, CV); };
  return Run(hHandle, TranFolder, TranCaption, vxt::Kind::PreAuth, fields, TranResult,
             {ErrorMsg, ApprovalCode, AVSResult, CVV2Result});
}

VXTRANS_API bool VXTrans_CCReturn(int32_t hHandle, const char* TranFolder, const char* TranCaption,
                                  const char* Clerk, const char* Receipt, const char* CC, const char* Exp,
                                  const char* Swipe, const char* Amount, bool* TranResult, char* ErrorMsg,
                                  char* ApprovalCode) {
  return Run(hHandle, TranFolder, TranCaption, vxt::Kind::Return,
             [&] { return Card(Clerk, Receipt, CC, Exp, Swipe, Amount); }, TranResult,
             {ErrorMsg, ApprovalCode, nullptr, nullptr});
}

VXTRANS_API bool VXTrans_CCDebitPurchase(int32_t hHandle, const char* TranFolder, const char* TranCaption,
                                         const char* Clerk, const char* Receipt, const char* PurchaseAmount,
                                         const char* CashBackAmount, const char* TotalAmount, const char* CC,
                                         const char* Swipe, const char* PIN, const char* KeyBlock,
                                         bool* TranResult, char* ErrorMsg, char* ApprovalCode) {
  return Run(hHandle, TranFolder, TranCaption, vxt::Kind::DebitPurchase,
             [&] {
               return Debit(Clerk, Receipt, PurchaseAmount, CashBackAmount, TotalAmount, CC, Swipe, PIN,
                            KeyBlock);
             },
             TranResult, {ErrorMsg, ApprovalCode, nullptr, nullptr});
}

VXTRANS_API bool VXTrans_CCDebitReturn(int32_t hHandle, const char* TranFolder, const char* TranCaption,
                                       const char* Clerk, const char* Receipt, const char* PurchaseAmount,
                                       const char* CashBackAmount, const char* TotalAmount, const char* CC,
                                       const char* Swipe, const char* PIN, const char* KeyBlock,
                                       bool* TranResult, char* ErrorMsg, char* ApprovalCode) {
  return Run(hHandle, TranFolder, TranCaption, vxt::Kind::DebitReturn,
             [&] {
               return Debit(Clerk, Receipt, PurchaseAmount, CashBackAmount, TotalAmount, CC, Swipe, PIN,
                            KeyBlock);
             },
             TranResult, {ErrorMsg, ApprovalCode, nullptr, nullptr});
}

VXTRANS_API bool VXTrans_CCGeneric(int32_t hHandle, const char* TranFolder, const char* TranCaption,
                                   const char* ReqFileData, bool* TranResult, char* ErrorMsg,
                                   char* ApprovalCode, char* AVSResult, char* CVV2Result) {
  const auto fields = [&] {
    vxt::RequestFields f;
    f.ReqFileData = Text(ReqFileData);
    return f;
  };
  return Run(hHandle, TranFolder, TranCaption, vxt::Kind::Generic, fields, TranResult,
             {ErrorMsg, ApprovalCode, AVSResult, CVV2Result});
}

}  // extern "C"
