#include "platform/convert/text.h"

#include <gtest/gtest.h>

namespace rt {
namespace {

TEST(StrCompTest, ComparesByCharacterCode) {
  struct Case {
    const char* a;
    const char* b;
    int result;
  };
  const Case cases[] = {
      {"abc", "abc", 0}, {"0", "0.00", -1}, {"10", "9", -1}, {"B", "a", -1},  {"a", "B", 1},
      {"", "", 0},       {"", "x", -1},     {"2", "1", 1},   {"1/2", "1", 1}, {"0.5", "1", -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StrComp(QString::fromUtf8(c.a), QString::fromUtf8(c.b)), c.result) << c.a << " vs " << c.b;
  }
}

TEST(LikeTest, MatchesPatterns) {
  struct Case {
    const char* text;
    const char* pattern;
    bool match;
  };
  const Case cases[] = {
      {"", "*", true},
      {"HS", "*", true},
      {"HS", "HS", true},
      {"HS", "hs", false},  // binary comparison: case matters
      {"HS", "H?", true},
      {"H", "H?", false},
      {"HSX", "H?", false},
      {"Epson TM-T88", "Epson*", true},
      {"Epson TM-T88", "*TM*", true},
      {"Epson TM-T88", "*T88", true},
      {"Epson TM-T88", "*T89", false},
      {"aXbXc", "*X*X*", true},
      {"aXb", "*X*X*", false},
      {"mississippi", "m*ss*ppi", true},
      {"mississippi", "m*ss*pp", false},
      {"25", "##", true},
      {"2a", "##", false},
      {"25", "#", false},
      {"b", "[abc]", true},
      {"d", "[abc]", false},
      {"d", "[!abc]", true},
      {"a", "[!abc]", false},
      {"m", "[a-z]", true},
      {"M", "[a-z]", false},
      {"Q7", "[A-Z][0-9]", true},
      {"-", "[-a]", true},
      {"-", "[a-]", true},
      {"*", "[*]", true},
      {"x", "[*]", false},
      {"?", "[?]", true},
      {"#", "[#]", true},
      {"!", "a[]!", false},
      {"a!", "a[]!", true},
      {"", "", true},
      {"a", "", false},
      {"", "?", false},
      {"abc", "a[!x]c", true},
      {"a]", "a]", true},
      {"DI", "D[IA]", true},
      {"Dy", "D[IA]", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Like(QString::fromUtf8(c.text), QString::fromUtf8(c.pattern)), c.match)
        << "\"" << c.text << "\" Like \"" << c.pattern << "\"";
  }
}

TEST(LikeTest, MalformedPatternMatchesNothing) {
  const char* patterns[] = {"[abc", "*[", "[z-a]", "[!"};
  for (const char* p : patterns) {
    EXPECT_FALSE(Like("a", QString::fromUtf8(p))) << p;
    EXPECT_FALSE(Like("[abc", QString::fromUtf8(p))) << p;
    EXPECT_FALSE(Like("", QString::fromUtf8(p))) << p;
  }
}

TEST(LikeTest, LongTextWithManyStarsStaysFast) {
  const QString text(20000, QLatin1Char('a'));
  EXPECT_FALSE(Like(text, QStringLiteral("*a*a*a*a*a*a*b")));
  EXPECT_TRUE(Like(text + QLatin1Char('b'), QStringLiteral("*a*a*a*a*a*a*b")));
}

}  // namespace
}  // namespace rt
