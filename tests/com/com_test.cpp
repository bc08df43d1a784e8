#include "platform/com/com.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "tests/heap_scan.h"

namespace {

TEST(Guid, ParsesAndFormatsTheBracedForm) {
  const GUID clsid = {0x4F1C9A27, 0x83D2, 0x4B6E, {0x9A, 0x15, 0xC7, 0xE2, 0xD0, 0x8B, 0x3F, 0x61}};
  EXPECT_EQ(com::GuidToString(clsid), "{4F1C9A27-83D2-4B6E-9A15-C7E2D08B3F61}");
  struct Case {
    const char* text;
    bool ok;
  } cases[] = {
      {"{4F1C9A27-83D2-4B6E-9A15-C7E2D08B3F61}", true},  {"{4f1c9a27-83d2-4b6e-9a15-c7e2d08b3f61}", true},
      {"4F1C9A27-83D2-4B6E-9A15-C7E2D08B3F61", false},   {"{4F1C9A27-83D2-4B6E-9A15-C7E2D08B3F6}", false},
      {"{4F1C9A27-83D2-4B6E-9A15-C7E2D08B3F6G}", false}, {"{4F1C9A27083D2-4B6E-9A15-C7E2D08B3F61}", false},
      {"{4F1C9A27-83D2-4B6E-9A15-C7E2D08B3F61", false},  {"", false},
  };
  for (const Case& c : cases) {
    GUID parsed{};
    EXPECT_EQ(com::GuidFromString(c.text, &parsed), c.ok) << c.text;
    if (c.ok) {
      EXPECT_TRUE(parsed == clsid) << c.text;
    }
  }
}

TEST(Bstr, CarriesByteLengthPrefixAndTerminator) {
  BSTR s = SysAllocString(u"abc");
  ASSERT_NE(s, nullptr);
  std::uint32_t prefix;
  std::memcpy(&prefix, reinterpret_cast<unsigned char*>(s) - 4, 4);
  EXPECT_EQ(prefix, 6u);
  EXPECT_EQ(SysStringLen(s), 3u);
  EXPECT_EQ(SysStringByteLen(s), 6u);
  EXPECT_EQ(s[3], u'\0');
  SysFreeString(s);

  const char16_t withNul[] = {u'a', u'\0', u'b'};
  BSTR n = SysAllocStringLen(withNul, 3);
  EXPECT_EQ(SysStringLen(n), 3u);
  EXPECT_EQ(com::Utf8FromBstr(n), std::string("a\0b", 3));
  SysFreeString(n);

  BSTR zeroed = SysAllocStringLen(nullptr, 4);
  ASSERT_NE(zeroed, nullptr);
  for (int i = 0; i <= 4; ++i) EXPECT_EQ(zeroed[i], u'\0');
  SysFreeString(zeroed);

  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  SysFreeString(nullptr);
  EXPECT_EQ(com::Utf8FromBstr(nullptr), "");
}

TEST(Bstr, ConvertsUtf8BothWays) {
  struct Case {
    std::string utf8;
    std::u16string utf16;
    std::string back;  // what the UTF-16 text converts back to
  } cases[] = {
      {"", u"", ""},
      {"Purchase", u"Purchase", "Purchase"},
      {"Caf\xC3\xA9", u"Caf\u00E9", "Caf\xC3\xA9"},
      {"\xE2\x82\xAC", u"\u20AC", "\xE2\x82\xAC"},
      {"\xF0\x9D\x84\x9E", u"\U0001D11E", "\xF0\x9D\x84\x9E"},
      {"a\xFF"
       "b",
       u"a\uFFFDb",
       "a\xEF\xBF\xBD"
       "b"},
      {"\xC3", u"\uFFFD", "\xEF\xBF\xBD"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(com::Utf8ToUtf16(c.utf8), c.utf16) << c.utf8;
    BSTR b = com::BstrFromUtf8(c.utf8);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(com::Utf8FromBstr(b), c.back);
    SysFreeString(b);
  }
  const char16_t lone[] = {u'x', 0xD800};
  EXPECT_EQ(com::Utf16ToUtf8(lone, 2), "x\xEF\xBF\xBD");
}

// The card data handed to the payment bridge travels in BSTRs: a freed one
// is overwritten first, so its text does not stay in the freed memory. The
// allocator reuses a freed block's first bytes for its own lists, so what is
// looked for is the text after them.
TEST(Bstr, AFreedStringLeavesNoCopyBehind) {
  static const char16_t kTrack[] = u"%B4929163847509126^DOE/JANE^26121010000000000000?";
  constexpr size_t kLength = sizeof kTrack / sizeof kTrack[0] - 1;
  const char16_t* const tail = kTrack + 12;
  const size_t tailLength = kLength - 12;
  {
    const com::Bstr swipe(SysAllocString(kTrack));
    ASSERT_NE(swipe.get(), nullptr);
    ASSERT_GE(findInHeap(tail, tailLength).whole, 1);
  }
  EXPECT_EQ(findInHeap(tail, tailLength).whole, 0);
}

TEST(ErrorInfo, BelongsToItsThreadAndIsTakenOnce) {
  com::ClearErrorInfo();
  com::ErrorInfo info;
  info.description = "Cannot create file";
  info.source = "VXTransaction.VantixTransaction";
  com::SetErrorInfo(info);

  bool otherThreadSaw = true;
  std::thread([&] { otherThreadSaw = com::GetErrorInfo(nullptr); }).join();
  EXPECT_FALSE(otherThreadSaw);

  com::ErrorInfo got;
  ASSERT_TRUE(com::GetErrorInfo(&got));
  EXPECT_EQ(got.description, "Cannot create file");
  EXPECT_EQ(got.source, "VXTransaction.VantixTransaction");
  EXPECT_FALSE(com::GetErrorInfo(&got));
}

}  // namespace
