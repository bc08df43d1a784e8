#include "shell/Module1.h"

#include <gtest/gtest.h>

namespace {

TEST(IsNumericKey, AcceptsBackspacePointAndDigitsOnly) {
  struct Case {
    int key;
    bool accepted;
  } cases[] = {
      {8, true},    {46, true},  {48, true},  {57, true},   // Backspace, ".", "0", "9"
      {0, false},   {7, false},  {9, false},  {13, false},  // Tab and Enter are not typed into a box
      {44, false},  {45, false}, {47, false}, {58, false},  // ",", "-", "/", ":" around the digits
      {127, false}, {65, false}, {-1, false},
  };
  for (const Case& c : cases) EXPECT_EQ(shell::IsNumericKey(c.key), c.accepted) << c.key;
}

}  // namespace
