#include "platform/convert/format.h"

#include <gtest/gtest.h>

#include "platform/convert/error.h"
#include "platform/convert/number.h"

namespace rt {
namespace {

TEST(FormatTest, FormatsDoubles) {
  struct Case {
    double value;
    const char* format;
    const char* text;
  };
  const Case cases[] = {
      {1234.5, "#,##0.00", "1,234.50"},
      {-1234.5, "#,##0.00", "-1,234.50"},
      {0, "#,##0.00", "0.00"},
      {0.5, "#,##0.00", "0.50"},
      {45.5, "#,##0.00", "45.50"},
      {2.50 * 0.05, "#,##0.00", "0.13"},  // 0.125: half away on the decimal value
      {-2.50 * 0.05, "#,##0.00", "-0.13"},
      {1.005, "#,##0.00", "1.01"},
      // Taxes as the sales window computes them: amount times rate in doubles.
      {100.0 * 0.05, "#,##0.00", "5.00"},
      {105.0 * 0.07, "#,##0.00", "7.35"},
      {20.0 * 0.0825, "#,##0.00", "1.65"},
      {4.06 * 0.0825, "#,##0.00", "0.33"},  // 0.33495
      // The tender keypad: digits typed in cents.
      {123 / 100.0, "###0.00", "1.23"},
      {12300 / 100.0, "###0.00", "123.00"},  // binary 1.00499999999999989...
      {2.675, "0.00", "2.68"},
      {0.1 + 0.2, "0.00", "0.30"},
      {-0.001, "#,##0.00", "0.00"},  // never "-0.00"
      {-0.004999, "0.00", "0.00"},
      {-0.005, "0.00", "-0.01"},
      {999.995, "#,##0.00", "1,000.00"},  // carry into a new group
      {1234567890.125, "#,##0.00", "1,234,567,890.13"},
      {1e12, "###,###,##0.00", "1,000,000,000,000.00"},
      {123456789.5, "###,###,##0.00", "123,456,789.50"},
      {12345.6, "###0.00", "12345.60"},
      {0.01, "###0.00", "0.01"},
      {1.23, "###0.00", "1.23"},
      {2.5, "$#,##0.00", "$2.50"},
      {1234.5, "$#,##0.00", "$1,234.50"},
      {-5, "$#,##0.00", "-$5.00"},
      {3.14159, "0.00", "3.14"},
      {2.5, "0", "3"},
      {-2.5, "0", "-3"},
      {0.4, "0", "0"},
      {-0.4, "0", "0"},
      {1234.5, "0", "1235"},
      {0.5, "#.##", ".5"},
      {7, "000", "007"},
      {1234.5, "Standard", "1,234.50"},
      {-1234.5, "Currency", "($1,234.50)"},
      {-0.001, "Currency", "$0.00"},
      {1234.5, "Currency", "$1,234.50"},
      {3.456, "Fixed", "3.46"},
      {25, "General Number", "25"},
      {0.5, "", "0.5"},
      {-5, "0.00;(0.00)", "(5.00)"},
      {0, "0.00;(0.00);\"none\"", "none"},
      {5, "0.00 \"kg\"", "5.00 kg"},
      {5, "\\#0", "#5"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Format(c.value, QString::fromUtf8(c.format)), QString::fromUtf8(c.text))
        << c.value << " with " << c.format;
  }
  EXPECT_THROW(Format(1.0 / 0.0 * 0.0, "0.00"), ConversionError);
}

TEST(FormatTest, FormatsCurrencyExactly) {
  struct Case {
    const char* amount;
    const char* format;
    const char* text;
  };
  const Case cases[] = {
      {"0.125", "#,##0.00", "0.13"},
      {"-0.125", "#,##0.00", "-0.13"},
      {"-0.0049", "#,##0.00", "0.00"},
      {"922337203685477.5807", "#,##0.00", "922,337,203,685,477.58"},
      {"45.5", "", "45.5"},
      {"1234.5", "$#,##0.00", "$1,234.50"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Format(CCur(QString::fromUtf8(c.amount)), QString::fromUtf8(c.format)),
              QString::fromUtf8(c.text))
        << c.amount << " with " << c.format;
  }
}

// Boxes reformat their own text: numbers are formatted, anything else stays.
TEST(FormatTest, FormatsTextThatReadsAsANumberAndLeavesOtherTextAlone) {
  struct Case {
    const char* text;
    const char* format;
    const char* result;
  };
  const Case cases[] = {
      {"2.5", "$#,##0.00", "$2.50"},
      {"2.5", "#,##0.00", "2.50"},
      {"1,234.50", "#,##0.00", "1,234.50"},  // formatting twice changes nothing
      {"1234.5", "#,##0.00", "1,234.50"},
      {"0.125", "#,##0.00", "0.13"},
      {"-0.001", "#,##0.00", "0.00"},
      {"VISA", "#,##0.00", "VISA"},
      {"", "#,##0.00", ""},
      {"-", "#,##0.00", "-"},
      {"2.5x", "#,##0.00", "2.5x"},
      {"1,234.50", "General Number", "1234.5"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Format(QString::fromUtf8(c.text), QString::fromUtf8(c.format)), QString::fromUtf8(c.result))
        << c.text << " with " << c.format;
  }
}

}  // namespace
}  // namespace rt
