#include "bridge/typelib.h"

#include "bridge/vxtransaction.h"

namespace vxt {
namespace {

TypeParam In(const char* name, const char* type) {
  return {name, type, kParamIn};
}
TypeParam Out(const char* name) {
  return {name, "BSTR*", kParamOut};
}
TypeParam Result() {
  return {"TranResult", "VARIANT_BOOL*", kParamOut | kParamRetval};
}

std::vector<TypeParam> Leading() {
  return {In("hHandle", "long"), In("TranFolder", "BSTR"), In("TranCaption", "BSTR")};
}

std::vector<TypeParam> Join(std::vector<TypeParam> a, const std::vector<TypeParam>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::vector<TypeParam> Texts(std::initializer_list<const char*> names) {
  std::vector<TypeParam> params;
  for (const char* n : names) params.push_back(In(n, "BSTR"));
  return params;
}

TypeLibrary Build() {
  const std::vector<TypeParam> cardInputs = Texts({"Clerk", "Receipt", "CC", "Exp", "Swipe", "Amount"});
  const std::vector<TypeParam> debitInputs = Texts({"Clerk", "Receipt", "PurchaseAmount", "CashBackAmount",
                                                    "TotalAmount", "CC", "Swipe", "PIN", "KeyBlock"});
  const std::vector<TypeParam> fourOutputs = {Out("ErrorMsg"), Out("ApprovalCode"), Out("AVSResult"),
                                              Out("CVV2Result"), Result()};
  const std::vector<TypeParam> purchase =
      Join(Join(Join(Leading(), cardInputs), Texts({"Zip", "Address", "CV"})), fourOutputs);
  const std::vector<TypeParam> force =
      Join(Join(Join(Leading(), cardInputs), Texts({"ApprovalCode", "Zip", "Address"})),
           {Out("ErrorMsg"), Out("AVSResult"), Result()});
  const std::vector<TypeParam> ret =
      Join(Join(Leading(), cardInputs), {Out("ErrorMsg"), Out("ApprovalCode"), Result()});
  const std::vector<TypeParam> debit =
      Join(Join(Leading(), debitInputs), {Out("ErrorMsg"), Out("ApprovalCode"), Result()});
  // The generic method's pointers are all marked as inputs and none is the
  // return value, so a marshalling proxy would not carry its results back.
  const std::vector<TypeParam> generic =
      Join(Leading(), {In("ReqFileData", "BSTR"), In("TranResult", "VARIANT_BOOL*"), In("ErrorMsg", "BSTR*"),
                       In("ApprovalCode", "BSTR*"), In("AVSResult", "BSTR*"), In("CVV2Result", "BSTR*")});

  TypeInterface iface{"IVantixTransaction",
                      IID_IVantixTransaction,
                      1,
                      0,
                      "Interface for VantixTransaction Object",
                      "IUnknown",
                      IID_IUnknown,
                      false,
                      false,
                      {{"CCPurchase", 1, purchase},
                       {"CCForce", 2, force},
                       {"CCPreAuth", 3, purchase},
                       {"CCReturn", 4, ret},
                       {"CCDebitPurchase", 5, debit},
                       {"CCDebitReturn", 6, debit},
                       {"CCGeneric", 7, generic}}};
  TypeCoClass coclass{"VantixTransaction", CLSID_VantixTransaction, 1, 0, "VantixTransaction Object", true,
                      "IVantixTransaction"};
  return TypeLibrary{"VXTransaction", LIBID_VXTransaction, 1, 0, 1033, "VXTransaction Library", "", {iface},
                     {coclass}};
}

}  // namespace

const TypeLibrary& VXTransactionTypeLibrary() {
  static const TypeLibrary library = Build();
  return library;
}

const TypeCoClass* FindCoClass(const TypeLibrary& library, const CLSID& clsid) {
  for (const TypeCoClass& c : library.coclasses)
    if (c.clsid == clsid) return &c;
  return nullptr;
}

}  // namespace vxt
