/* VXTransaction: the payment bridge.
 *
 * Each card transaction is handed to the card-processing program as a request
 * file in the transaction folder; a modal wait window waits for its answer
 * file. The library offers the same seven transactions twice: as plain C
 * functions (this header can be included from C) and as the component class
 * VantixTransaction with the interface IVantixTransaction (C++ only).
 *
 * Texts are zero-terminated UTF-8. A null text pointer counts as empty.
 * Output buffers: ErrorMsg holds VXTRANS_ERRORMSG_SIZE bytes, every other
 * output buffer VXTRANS_TEXT_SIZE bytes, the terminating zero included; a text
 * too long for its buffer is cut on a character boundary. Each function
 * returns true when an answer was read (approved or declined) and false when
 * the transaction did not get an answer (missing folder, time-out, cancel,
 * refused request data, a request file that could not be written or an
 * answer that could not be claimed). After a time-out ErrorMsg begins with
 * "Transaction time-out", followed by ": " and the transaction's name: the
 * card program may still answer that transaction, and approve it.
 */
#ifndef TRIVELA_BRIDGE_VXTRANSACTION_H
#define TRIVELA_BRIDGE_VXTRANSACTION_H

#ifdef __cplusplus
#include <cstdint>
#else
#include <stdbool.h>
#include <stdint.h>
#endif

#define VXTRANS_API __attribute__((visibility("default")))
#define VXTRANS_ERRORMSG_SIZE 100
#define VXTRANS_TEXT_SIZE 50

#ifdef __cplusplus
extern "C" {
#endif

VXTRANS_API bool VXTrans_CCPurchase(int32_t hHandle, const char* TranFolder, const char* TranCaption,
                                    const char* Clerk, const char* Receipt, const char* CC, const char* Exp,
                                    const char* Swipe, const char* Amount, const char* Zip,
                                    const char* Address, const char* CV, bool* TranResult, char* ErrorMsg,
                                    char* ApprovalCode, char* AVSResult, char* CVV2Result);

VXTRANS_API bool VXTrans_CCForce(int32_t hHandle, const char* TranFolder, const char* TranCaption,
                                 const char* Clerk, const char* Receipt, const char* CC, const char* Exp,
                                 const char* Swipe, const char* Amount, const char* ApprovalCode,
                                 const char* Zip, const char* Address, bool* TranResult, char* ErrorMsg,
                                 char* AVSResult);

VXTRANS_API bool VXTrans_CCPreAuth(int32_t hHandle, const char* TranFolder, const char* TranCaption,
                                   const char* Clerk, const char* Receipt, const char* CC, const char* Exp,
                                   const char* Swipe, const char* Amount, const char* Zip,
                                   const char* Address, const char* CV, bool* TranResult, char* ErrorMsg,
                                   char* ApprovalCode, char* AVSResult, char* CVV2Result);

VXTRANS_API bool VXTrans_CCReturn(int32_t hHandle, const char* TranFolder, const char* TranCaption,
                                  const char* Clerk, const char* Receipt, const char* CC, const char* Exp,
                                  const char* Swipe, const char* Amount, bool* TranResult, char* ErrorMsg,
                                  char* ApprovalCode);

VXTRANS_API bool VXTrans_CCDebitPurchase(int32_t hHandle, const char* TranFolder, const char* TranCaption,
                                         const char* Clerk, const char* Receipt, const char* PurchaseAmount,
                                         const char* CashBackAmount, const char* TotalAmount, const char* CC,
                                         const char* Swipe, const char* PIN, const char* KeyBlock,
                                         bool* TranResult, char* ErrorMsg, char* ApprovalCode);

VXTRANS_API bool VXTrans_CCDebitReturn(int32_t hHandle, const char* TranFolder, const char* TranCaption,
                                       const char* Clerk, const char* Receipt, const char* PurchaseAmount,
                                       const char* CashBackAmount, const char* TotalAmount, const char* CC,
                                       const char* Swipe, const char* PIN, const char* KeyBlock,
                                       bool* TranResult, char* ErrorMsg, char* ApprovalCode);

VXTRANS_API bool VXTrans_CCGeneric(int32_t hHandle, const char* TranFolder, const char* TranCaption,
                                   const char* ReqFileData, bool* TranResult, char* ErrorMsg,
                                   char* ApprovalCode, char* AVSResult, char* CVV2Result);

#ifdef __cplusplus
}  // extern "C"

#include "platform/com/com.h"

// {4F1C9A27-83D2-4B6E-9A15-C7E2D08B3F61}
inline constexpr CLSID CLSID_VantixTransaction = {
    0x4F1C9A27, 0x83D2, 0x4B6E, {0x9A, 0x15, 0xC7, 0xE2, 0xD0, 0x8B, 0x3F, 0x61}};
// {A7D3E915-2C4B-4F80-B6E1-95F0C2A4D738}
inline constexpr IID IID_IVantixTransaction = {
    0xA7D3E915, 0x2C4B, 0x4F80, {0xB6, 0xE1, 0x95, 0xF0, 0xC2, 0xA4, 0xD7, 0x38}};
// {D2B8F46C-1E7A-4C39-8F52-6A0E9B3C71D4}
inline constexpr GUID LIBID_VXTransaction = {
    0xD2B8F46C, 0x1E7A, 0x4C39, {0x8F, 0x52, 0x6A, 0x0E, 0x9B, 0x3C, 0x71, 0xD4}};

// Slots 3..9 after IUnknown. Every text output receives a new BSTR that the
// caller frees; what the pointer held before is not freed. A declined,
// timed-out or cancelled transaction returns S_OK with TranResult
// VARIANT_FALSE and the reason in ErrorMsg; only an internal error (such as a
// request file that cannot be written) returns DISP_E_EXCEPTION with error
// information, and then no output is set. A null output pointer gives
// E_POINTER before anything is written to the transaction folder.
struct IVantixTransaction : IUnknown {
  virtual HRESULT CCPurchase(std::int32_t hHandle, BSTR TranFolder, BSTR TranCaption, BSTR Clerk,
                             BSTR Receipt, BSTR CC, BSTR Exp, BSTR Swipe, BSTR Amount, BSTR Zip, BSTR Address,
                             BSTR CV, BSTR* ErrorMsg, BSTR* ApprovalCode, BSTR* AVSResult, BSTR* CVV2Result,
                             VARIANT_BOOL* TranResult) = 0;
  virtual HRESULT CCForce(std::int32_t hHandle, BSTR TranFolder, BSTR TranCaption, BSTR Clerk, BSTR Receipt,
                          BSTR CC, BSTR Exp, BSTR Swipe, BSTR Amount, BSTR ApprovalCode, BSTR Zip,
                          BSTR Address, BSTR* ErrorMsg, BSTR* AVSResult, VARIANT_BOOL* TranResult) = 0;
  virtual HRESULT CCPreAuth(std::int32_t hHandle, BSTR TranFolder, BSTR TranCaption, BSTR Clerk, BSTR Receipt,
                            BSTR CC, BSTR Exp, BSTR Swipe, BSTR Amount, BSTR Zip, BSTR Address, BSTR CV,
                            BSTR* ErrorMsg, BSTR* ApprovalCode, BSTR* AVSResult, BSTR* CVV2Result,
                            VARIANT_BOOL* TranResult) = 0;
  virtual HRESULT CCReturn(std::int32_t hHandle, BSTR TranFolder, BSTR TranCaption, BSTR Clerk, BSTR Receipt,
                           BSTR CC, BSTR Exp, BSTR Swipe, BSTR Amount, BSTR* ErrorMsg, BSTR* ApprovalCode,
                           VARIANT_BOOL* TranResult) = 0;
  virtual HRESULT CCDebitPurchase(std::int32_t hHandle, BSTR TranFolder, BSTR TranCaption, BSTR Clerk,
                                  BSTR Receipt, BSTR PurchaseAmount, BSTR CashBackAmount, BSTR TotalAmount,
                                  BSTR CC, BSTR Swipe, BSTR PIN, BSTR KeyBlock, BSTR* ErrorMsg,
                                  BSTR* ApprovalCode, VARIANT_BOOL* TranResult) = 0;
  virtual HRESULT CCDebitReturn(std::int32_t hHandle, BSTR TranFolder, BSTR TranCaption, BSTR Clerk,
                                BSTR Receipt, BSTR PurchaseAmount, BSTR CashBackAmount, BSTR TotalAmount,
                                BSTR CC, BSTR Swipe, BSTR PIN, BSTR KeyBlock, BSTR* ErrorMsg,
                                BSTR* ApprovalCode, VARIANT_BOOL* TranResult) = 0;
  // The type library marks all nine parameters as inputs; the results still
  // come back through the five pointers.
  virtual HRESULT CCGeneric(std::int32_t hHandle, BSTR TranFolder, BSTR TranCaption, BSTR ReqFileData,
                            VARIANT_BOOL* TranResult, BSTR* ErrorMsg, BSTR* ApprovalCode, BSTR* AVSResult,
                            BSTR* CVV2Result) = 0;
};

extern "C" {
VXTRANS_API HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv);
VXTRANS_API HRESULT DllCanUnloadNow();
VXTRANS_API HRESULT DllRegisterServer();
VXTRANS_API HRESULT DllUnregisterServer();
}
#endif /* __cplusplus */

#endif /* TRIVELA_BRIDGE_VXTRANSACTION_H */
