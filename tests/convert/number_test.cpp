#include "platform/convert/number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace rt {
namespace {

TEST(ValTest, ReadsTheLeadingNumber) {
  struct Case {
    const char* text;
    double expected;
  };
  const Case cases[] = {{"025", 25},       {"2.5x", 2.5},   {"1/2", 1}, {"", 0},        {" 12 ", 12},
                        {"-3", -3},        {"1,234", 1},    {"abc", 0}, {"-", 0},       {".5", 0.5},
                        {"1 2 3", 123},    {"\t7\n", 7},    {"+4", 4},  {"1.2.3", 1.2}, {"1e3", 1000},
                        {"2e", 2},         {"3E-2x", 0.03}, {"$5", 0},  {"0.5", 0.5},   {"-0", 0},
                        {"10 Shampoo", 10}};
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(Val(QString::fromUtf8(c.text)), c.expected) << c.text;
  }
  EXPECT_FALSE(std::signbit(Val("-0"))) << "no negative zero";
  EXPECT_THROW(Val("1e999"), ConversionError);
}

// One table for the locale-aware conversions: the text, what CDbl gives
// (nullopt for a type mismatch) and CCur's raw value (value * 10000).
TEST(ConversionTest, CDblAndCCurReadNumbersWithSeparators) {
  struct Case {
    const char* text;
    std::optional<double> dbl;
    std::optional<std::int64_t> curRaw;
  };
  const Case cases[] = {
      {"1,234.50", 1234.5, 12345000},
      {"$1,234.50", 1234.5, 12345000},
      {"-$5.25", -5.25, -52500},
      {"$-5.25", -5.25, -52500},
      {"($5.25)", -5.25, -52500},
      {"  42  ", 42, 420000},
      {"0.00", 0, 0},
      {".5", 0.5, 5000},
      {"7.", 7, 70000},
      {"1e3", 1000, 10000000},
      {"+3", 3, 30000},
      {"0.00005", 0.00005, 1},  // half away from zero at the fifth decimal
      {"-0.00005", -0.00005, -1},
      {"0.00004999", 0.00004999, 0},
      {"1.23456789", 1.23456789, 12346},
      {"922337203685477.5807", 922337203685477.5807, std::numeric_limits<std::int64_t>::max()},
      {"", std::nullopt, std::nullopt},
      {" ", std::nullopt, std::nullopt},
      {"VISA", std::nullopt, std::nullopt},
      {"2.5x", std::nullopt, std::nullopt},
      {"1/2", std::nullopt, std::nullopt},
      {",5", std::nullopt, std::nullopt},
      {"-", std::nullopt, std::nullopt},
      {"1e", std::nullopt, std::nullopt},
      {"(5", std::nullopt, std::nullopt},
      {"--5", std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    const QString text = QString::fromUtf8(c.text);
    const std::optional<double> dbl = TryCDbl(text);
    ASSERT_EQ(dbl.has_value(), c.dbl.has_value()) << c.text;
    const std::optional<Currency> cur = TryCCur(text);
    ASSERT_EQ(cur.has_value(), c.curRaw.has_value()) << c.text;
    EXPECT_EQ(IsNumeric(text), c.dbl.has_value()) << c.text;
    if (c.dbl) {
      EXPECT_DOUBLE_EQ(*dbl, *c.dbl) << c.text;
      EXPECT_DOUBLE_EQ(CDbl(text), *c.dbl) << c.text;
      EXPECT_EQ(cur->raw(), *c.curRaw) << c.text;
      EXPECT_EQ(CCur(text).raw(), *c.curRaw) << c.text;
    } else {
      EXPECT_THROW(CDbl(text), ConversionError) << c.text;
      try {
        CCur(text);
        ADD_FAILURE() << "no error for " << c.text;
      } catch (const ConversionError& e) {
        EXPECT_EQ(e.code(), ConversionError::TypeMismatch) << c.text;
        EXPECT_STREQ(e.what(), "Type mismatch");
      }
    }
  }
}

TEST(ConversionTest, CCurOutOfRangeIsAnOverflow) {
  const char* texts[] = {"922337203685477.5808", "1e20", "-1e20"};
  for (const char* text : texts) {
    try {
      CCur(QString::fromUtf8(text));
      ADD_FAILURE() << "no error for " << text;
    } catch (const ConversionError& e) {
      EXPECT_EQ(e.code(), ConversionError::Overflow) << text;
    }
  }
  EXPECT_EQ(CCur("-922337203685477.5808").raw(), std::numeric_limits<std::int64_t>::min());
  EXPECT_THROW(CCur(std::numeric_limits<double>::infinity()), ConversionError);
  EXPECT_THROW(CDbl("1e400"), ConversionError);
  EXPECT_FALSE(TryCDbl("1e400").has_value());
  EXPECT_FALSE(IsNumeric("-1e400"));
  EXPECT_FALSE(TryCCur("1e20").has_value());
  EXPECT_DOUBLE_EQ(CDbl("1e-400"), 0.0);
}

// An amount is the text a window writes or a clerk keys; CCur takes more
// ("8,50" as 850), which no price may be read as.
TEST(ConversionTest, AnAmountIsDigitsWithGroupedThousandsAndOnePoint) {
  const struct {
    const char* text;
    const char* amount;  // its raw currency value / 10000, or nullptr: no amount
  } cases[] = {{"12", "12"},     {".50", "0.5"},   {"8.", "8"},       {" $1,234.50 ", "1234.5"},
               {"-5.00", "-5"},  {"-$5", "-5"},    {"8,50", nullptr}, {"1,2345", nullptr},
               {"1e3", nullptr}, {"(5)", nullptr}, {"8.5o", nullptr}, {"1.2.5", nullptr},
               {".", nullptr},   {"", nullptr},    {"$", nullptr},    {"$ 5", "5"}};
  for (const auto& c : cases) {
    const std::optional<Currency> a = TryAmount(QString::fromUtf8(c.text));
    if (c.amount == nullptr)
      EXPECT_FALSE(a.has_value()) << c.text;
    else
      EXPECT_EQ(a.value_or(Currency()), CCur(QString::fromUtf8(c.amount))) << c.text;
  }
}

TEST(CurrencyTest, DoubleToCurrencyRoundsTheShownDecimalHalfAwayFromZero) {
  struct Case {
    double value;
    std::int64_t raw;
  };
  const Case cases[] = {
      {0.1 + 0.2, 3000},  // 0.30000000000000004 is 0.3
      {1.00005, 10001},   // binary 1.0000499999999999 shows as 1.00005
      {-1.00005, -10001}, {2.5 * 0.05, 1250}, {0.00004, 0}, {123456789.12345, 1234567891235}, {-0.0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(CCur(c.value).raw(), c.raw) << c.value;
}

TEST(CurrencyTest, ArithmeticIsExactAndOverflowIsReported) {
  const Currency a = CCur("0.10");
  const Currency b = CCur("0.20");
  EXPECT_EQ(a + b, CCur("0.30"));
  EXPECT_EQ(b - a - a, Currency());
  EXPECT_EQ(-a, CCur("-0.1"));
  EXPECT_LT(a, b);
  EXPECT_GE(b, a);
  EXPECT_NE(a, b);
  EXPECT_DOUBLE_EQ((CCur("1,234.50") + CCur("10")).toDouble(), 1244.5);

  Currency x = CCur("20.00");
  x -= CCur("25.00");
  EXPECT_EQ(x, CCur("-5"));

  // Product with a rate: rounded to four decimals, half away from zero.
  EXPECT_EQ((CCur("20.00") * 0.0825).raw(), 16500);
  EXPECT_EQ((CCur("12.34") * 0.0825).raw(), 10181);  // 1.01805
  EXPECT_EQ((CCur("-12.34") * 0.0825).raw(), -10181);
  EXPECT_EQ((0.5 * CCur("0.0001")).raw(), 1);

  const Currency max = Currency::fromRaw(std::numeric_limits<std::int64_t>::max());
  const Currency min = Currency::fromRaw(std::numeric_limits<std::int64_t>::min());
  EXPECT_THROW(max + Currency::fromRaw(1), ConversionError);
  EXPECT_THROW(min - Currency::fromRaw(1), ConversionError);
  EXPECT_THROW(-min, ConversionError);
  Currency kept = max;
  EXPECT_THROW(kept += Currency::fromRaw(1), ConversionError);
  EXPECT_EQ(kept, max) << "a failed sum leaves the value as it was";
}

TEST(CStrTest, PlainTextOfNumbers) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {0.5, "0.5"},
      {-0.5, "-0.5"},
      {45, "45"},
      {45.5, "45.5"},
      {1234.56, "1234.56"},
      {0, "0"},
      {-0.0, "0"},
      {0.1 + 0.2, "0.3"},
      {1e16, "1E+16"},
      {1e15, "1E+15"},
      {123456789012345.0, "123456789012345"},
      {1234567890123456.0, "1.23456789012346E+15"},
      {2.0 / 3.0, "0.666666666666667"},
      {0.0001, "0.0001"},
      {0.00001, "1E-05"},
      {-1.5e-7, "-1.5E-07"},
      {1e100, "1E+100"},
  };
  for (const Case& c : cases) EXPECT_EQ(CStr(c.value), QString::fromUtf8(c.text)) << c.value;
  EXPECT_THROW(CStr(std::nan("")), ConversionError);

  struct CurrencyCase {
    const char* in;
    const char* text;
  };
  const CurrencyCase currencyCases[] = {
      {"45", "45"},           {"45.50", "45.5"}, {"1,234.56", "1234.56"},
      {"-0.0001", "-0.0001"}, {"0", "0"},        {"922337203685477.5807", "922337203685477.5807"},
  };
  for (const CurrencyCase& c : currencyCases)
    EXPECT_EQ(CStr(CCur(QString::fromUtf8(c.in))), QString::fromUtf8(c.text)) << c.in;
}

}  // namespace
}  // namespace rt
