// A payment bridge of the test's making: it records each call with its
// arguments and answers from a script, as the real object would (new strings
// for the outputs, error information with a failure).
#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <map>
#include <vector>

#include "bridge/vxtransaction.h"

class FakeBridge : public IVantixTransaction {
 public:
  struct Call {
    QString method;
    std::int32_t hHandle = 0;
    std::map<QString, QString> in;  // by parameter name
  };
  struct Answer {
    HRESULT hr = S_OK;
    bool approved = true;
    QString errorMsg, approvalCode = QStringLiteral("123456"), avs = QStringLiteral("Y"),
                      cvv2 = QStringLiteral("M");
    std::string errorInfo;  // the description of a failed call
  };

  std::vector<Call> calls;
  std::deque<Answer> answers;  // the default Answer when empty
  // Runs during each call, while the bridge "waits" (the dialog is open).
  std::function<void()> whileWaiting;
  ULONG references() const { return refs_; }

  HRESULT QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == IID_IVantixTransaction) {
      *ppv = this;
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override { return --refs_; }

  HRESULT CCPurchase(std::int32_t h, BSTR TranFolder, BSTR TranCaption, BSTR Clerk, BSTR Receipt, BSTR CC,
                     BSTR Exp, BSTR Swipe, BSTR Amount, BSTR Zip, BSTR Address, BSTR CV, BSTR* ErrorMsg,
                     BSTR* ApprovalCode, BSTR* AVSResult, BSTR* CVV2Result,
                     VARIANT_BOOL* TranResult) override {
    return verified("CCPurchase", h, TranFolder, TranCaption, Clerk, Receipt, CC, Exp, Swipe, Amount, Zip,
                    Address, CV, ErrorMsg, ApprovalCode, AVSResult, CVV2Result, TranResult);
  }
  HRESULT CCForce(std::int32_t h, BSTR TranFolder, BSTR TranCaption, BSTR Clerk, BSTR Receipt, BSTR CC,
                  BSTR Exp, BSTR Swipe, BSTR Amount, BSTR ApprovalCode, BSTR Zip, BSTR Address,
                  BSTR* ErrorMsg, BSTR* AVSResult, VARIANT_BOOL* TranResult) override {
    record("CCForce", h,
           {{"TranFolder", TranFolder},
            {"TranCaption", TranCaption},
            {"Clerk", Clerk},
            {"Receipt", Receipt},
            {"CC", CC},
            {"Exp", Exp},
            {"Swipe", Swipe},
            {"Amount", Amount},
            {"ApprovalCode", ApprovalCode},
            {"Zip", Zip},
            {"Address", Address}});
    return answer(ErrorMsg, nullptr, AVSResult, nullptr, TranResult);
  }
  HRESULT CCPreAuth(std::int32_t h, BSTR TranFolder, BSTR TranCaption, BSTR Clerk, BSTR Receipt, BSTR CC,
                    BSTR Exp, BSTR Swipe, BSTR Amount, BSTR Zip, BSTR Address, BSTR CV, BSTR* ErrorMsg,
                    BSTR* ApprovalCode, BSTR* AVSResult, BSTR* CVV2Result,
                    VARIANT_BOOL* TranResult) override {
    return verified("CCPreAuth", h, TranFolder, TranCaption, Clerk, Receipt, CC, Exp, Swipe, Amount, Zip,
                    Address, CV, ErrorMsg, ApprovalCode, AVSResult, CVV2Result, TranResult);
  }
  HRESULT CCReturn(std::int32_t h, BSTR TranFolder, BSTR TranCaption, BSTR Clerk, BSTR Receipt, BSTR CC,
                   BSTR Exp, BSTR Swipe, BSTR Amount, BSTR* ErrorMsg, BSTR* ApprovalCode,
                   VARIANT_BOOL* TranResult) override {
    record("CCReturn", h,
           {{"TranFolder", TranFolder},
            {"TranCaption", TranCaption},
            {"Clerk", Clerk},
            {"Receipt", Receipt},
            {"CC", CC},
            {"Exp", Exp},
            {"Swipe", Swipe},
            {"Amount", Amount}});
    return answer(ErrorMsg, ApprovalCode, nullptr, nullptr, TranResult);
  }
  HRESULT CCDebitPurchase(std::int32_t, BSTR, BSTR, BSTR, BSTR, BSTR, BSTR, BSTR, BSTR, BSTR, BSTR, BSTR,
                          BSTR*, BSTR*, VARIANT_BOOL*) override {
    calls.push_back({QStringLiteral("CCDebitPurchase"), 0, {}});
    return E_FAIL;
  }
  HRESULT CCDebitReturn(std::int32_t, BSTR, BSTR, BSTR, BSTR, BSTR, BSTR, BSTR, BSTR, BSTR, BSTR, BSTR, BSTR*,
                        BSTR*, VARIANT_BOOL*) override {
    calls.push_back({QStringLiteral("CCDebitReturn"), 0, {}});
    return E_FAIL;
  }
  HRESULT CCGeneric(std::int32_t, BSTR, BSTR, BSTR, VARIANT_BOOL*, BSTR*, BSTR*, BSTR*, BSTR*) override {
    calls.push_back({QStringLiteral("CCGeneric"), 0, {}});
    return E_FAIL;
  }

 private:
  // Purchase and pre-authorisation: the same parameters.
  HRESULT verified(const char* method, std::int32_t h, BSTR TranFolder, BSTR TranCaption, BSTR Clerk,
                   BSTR Receipt, BSTR CC, BSTR Exp, BSTR Swipe, BSTR Amount, BSTR Zip, BSTR Address, BSTR CV,
                   BSTR* ErrorMsg, BSTR* ApprovalCode, BSTR* AVSResult, BSTR* CVV2Result,
                   VARIANT_BOOL* TranResult) {
    record(method, h,
           {{"TranFolder", TranFolder},
            {"TranCaption", TranCaption},
            {"Clerk", Clerk},
            {"Receipt", Receipt},
            {"CC", CC},
            {"Exp", Exp},
            {"Swipe", Swipe},
            {"Amount", Amount},
            {"Zip", Zip},
            {"Address", Address},
            {"CV", CV}});
    return answer(ErrorMsg, ApprovalCode, AVSResult, CVV2Result, TranResult);
  }
  void record(const char* method, std::int32_t h, std::map<QString, BSTR> in) {
    Call call{QString::fromLatin1(method), h, {}};
    for (const auto& [name, value] : in) call.in[name] = QString::fromStdString(com::Utf8FromBstr(value));
    calls.push_back(call);
    if (whileWaiting) whileWaiting();
  }
  HRESULT answer(BSTR* errorMsg, BSTR* approvalCode, BSTR* avs, BSTR* cvv2, VARIANT_BOOL* tranResult) {
    Answer a;
    if (!answers.empty()) {
      a = answers.front();
      answers.pop_front();
    }
    if (FAILED(a.hr)) {
      com::ErrorInfo info;
      info.description = a.errorInfo;
      info.source = "VXTransaction.VantixTransaction";
      if (!a.errorInfo.empty()) com::SetErrorInfo(info);
      return a.hr;
    }
    auto put = [](BSTR* out, const QString& text) {
      if (out) *out = com::BstrFromUtf8(text.toStdString());
    };
    put(errorMsg, a.approved ? QString() : a.errorMsg);
    put(approvalCode, a.approved ? a.approvalCode : QString());
    put(avs, a.approved ? a.avs : QString());
    put(cvv2, a.approved ? a.cvv2 : QString());
    *tranResult = a.approved ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
  ULONG refs_ = 1;  // the test's own
};
