/* A plain C program with no Qt of its own: loads the bridge at run time and
 * runs one purchase. Prints "result|TranResult|ErrorMsg|ApprovalCode|AVS|CVV2". */
#include <dlfcn.h>
#include <stdio.h>
#include <string.h>

#include "bridge/vxtransaction.h"

typedef bool (*PurchaseFn)(int32_t, const char*, const char*, const char*, const char*, const char*,
                           const char*, const char*, const char*, const char*, const char*, const char*,
                           bool*, char*, char*, char*, char*);

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: c_caller LIB FOLDER\n");
    return 2;
  }
  void* lib = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (lib == NULL) {
    fprintf(stderr, "dlopen: %s\n", dlerror());
    return 1;
  }
  PurchaseFn purchase;
  *(void**)(&purchase) = dlsym(lib, "VXTrans_CCPurchase");
  if (purchase == NULL) return 1;
  bool tranResult = true;
  char errorMsg[VXTRANS_ERRORMSG_SIZE], approval[VXTRANS_TEXT_SIZE], avs[VXTRANS_TEXT_SIZE],
      cvv2[VXTRANS_TEXT_SIZE];
  strcpy(errorMsg, "old");
  strcpy(approval, "old");
  strcpy(avs, "old");
  strcpy(cvv2, "old");
  bool result = purchase(0, argv[2], "Purchase", "Ann", "DovrelPOS7", "4111111111111111", "2612", NULL,
                         "25.00", "12345", "1 Main St", "123", &tranResult, errorMsg, approval, avs, cvv2);
  printf("%d|%d|%s|%s|%s|%s\n", result ? 1 : 0, tranResult ? 1 : 0, errorMsg, approval, avs, cvv2);
  return 0;
}
