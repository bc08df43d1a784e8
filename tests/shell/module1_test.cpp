#include "shell/Module1.h"

#include <gtest/gtest.h>

#include "platform/forms/msgbox.h"
#include "platform/forms/screen.h"
#include "tests/sheet/recorded_desktop.h"

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

// What an amount box may hold, typed or pasted: an amount of at most eleven
// digits, two of them cents. Its commas are its own to place again.
TEST(AmountEntry, AnAmountOfElevenDigitsAtMost) {
  const struct {
    const char* text;
    bool entry;
  } cases[] = {
      {"", true},
      {"25", true},
      {"25.5", true},
      {".50", true},
      {"1,250.00", true},
      {"1,2500.00", true},  // a digit typed among grouped ones
      {"-5.00", true},
      {"$5", true},
      {"999,999,999.99", true},
      {"000999999999.99", true},
      {"1,000,000,000.00", false},  // twelve digits
      {"1234567890", false},
      {"1.234", false},
      {"1.11.5.00", false},
      {"1e3", false},
      {"(5)", false},
      {"VISA", false},
      {".", false},
      {"-", false},
  };
  for (const auto& c : cases) EXPECT_EQ(shell::isAmountEntry(c.text), c.entry) << c.text;
}

class GetExcelAppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sheet::quitApplication();
    shell::ExcelApp.reset();
  }
  void TearDown() override {
    sheet::quitApplication();
    shell::ExcelApp.reset();
  }
  RecordedDesktop desktop;
  forms::ScriptedMessages messages{
      [](const forms::Message& m) { ADD_FAILURE() << "unexpected message: " << m.prompt.toStdString(); }};
};

TEST_F(GetExcelAppTest, WithoutAnApplicationForXlsxItSaysSoEachTime) {
  desktop.application.clear();
  messages.answer(forms::vbOK);
  messages.answer(forms::vbOK);
  EXPECT_FALSE(shell::GetExcelApp());
  EXPECT_FALSE(shell::GetExcelApp());
  ASSERT_EQ(messages.shown().size(), 2u);
  EXPECT_EQ(messages.shown()[0].prompt, "Can't Creat Excel Object");
  EXPECT_EQ(messages.shown()[0].buttons, forms::vbOKOnly);
  EXPECT_EQ(messages.shown()[0].title, "Dovrel POS 4");
  EXPECT_FALSE(shell::ExcelApp);
  EXPECT_EQ(forms::Screen::MousePointer(), forms::vbDefault);
}

TEST_F(GetExcelAppTest, StartsOneVisibleApplicationAndAttachesToItLater) {
  int pointerWhileAsking = -1;
  desktop.onQuery = [&] { pointerWhileAsking = forms::Screen::MousePointer(); };
  ASSERT_TRUE(shell::GetExcelApp());
  EXPECT_EQ(pointerWhileAsking, forms::vbHourglass);
  EXPECT_EQ(forms::Screen::MousePointer(), forms::vbDefault);
  const std::shared_ptr<sheet::Application> first = shell::ExcelApp;
  ASSERT_TRUE(first);
  EXPECT_TRUE(first->Visible());
  first->setVisible(false);
  ASSERT_TRUE(shell::GetExcelApp());
  EXPECT_EQ(shell::ExcelApp, first) << "no second application";
  EXPECT_TRUE(first->Visible());
  EXPECT_EQ(desktop.queries, 1);
}

}  // namespace
