// Reading numbers from text and writing them back: plain, fixed and in a number format.
#include "platform/values/numbers.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/values/number_format.hpp"
#include "support/error_of.hpp"

namespace fenwarx {
namespace {

TEST(LeadingNumber, ReadsUpToTheFirstOtherCharacter) {
  // clang-format off
  const struct { const char* text; double value; } cases[] = {
      {"", 0}, {"abc", 0}, {".", 0}, {"-", 0}, {"12abc", 12}, {"1,234", 1}, {"-.5", -0.5}, {"+7", 7}, {"1 2", 12},
      {" - 1 2 . 5", -12.5}, {"\t1\n2\r3", 123}, {"1.5.3", 1.5}, {"1E-2", 0.01}, {"2d2", 200}, {"1e+", 1},
      {"1 e 3x", 1000}, {"--5", 0}, {"1e-400", 0}, {"0x1A", 0}};
  for (const auto& c : cases) EXPECT_EQ(leading_number(c.text), c.value) << '"' << c.text << '"';
}
// clang-format on

TEST(ParseNumber, AcceptsWholeNumbersOnly) {
  // clang-format off
  const struct { const char* text; double value; } numbers[] = {
      {" 12 ", 12}, {"-12.5", -12.5}, {"+3", 3}, {".5", 0.5}, {"12.", 12}, {"1.5E-2", 0.015}, {"2D2", 200},
      {"12,345", 12345}, {"1,234,567.5", 1234567.5}};
  for (const auto& c : numbers) {
    EXPECT_TRUE(is_numeric(c.text)) << c.text;
    EXPECT_EQ(parse_number(c.text), c.value) << c.text;
  }
  // clang-format on
  for (const char* text :
       {"",    "  ",   ".",      "-",    "+",      "1 2",      "12abc",   "1e",
        "1e+", "1,2",  "1,2345", ",123", "1,,234", "1234,567", "1.234,5", "1.2.3",
        "- 1", "&H1F", "0x1F",   "$12",  "1e400",  "12-"}) {
    EXPECT_FALSE(is_numeric(text)) << text;
    EXPECT_FALSE(parse_number(text).has_value()) << text;
  }
}

TEST(NumberText, FifteenSignificantDigitsShortestForm) {
  // clang-format off
  const struct { double value; const char* text; } cases[] = {
      {12.5, "12.5"}, {-0.0, "0"}, {0.1 + 0.2, "0.3"}, {1e15, "1E+15"}, {1e100, "1E+100"}, {1e-5, "0.00001"},
      {-1.25e-5, "-0.0000125"}, {1.5e-7, "1.5E-07"}, {2.0 / 3, "0.666666666666667"}, {9999999999999999.0, "1E+16"},
      {999999999999999, "999999999999999"}, {1234567890123456.0, "1.23456789012346E+15"},
      {9.99999999999999e-6, "9.99999999999999E-06"}};
  for (const auto& c : cases) EXPECT_EQ(number_text(c.value), c.text) << c.text;
}
// clang-format on

TEST(FixedText, HalvesAwayFromZeroOnThePrintedDigits) {
  // clang-format off
  const struct { double value; int decimals; const char* text; } cases[] = {
      {2.345, 2, "2.35"}, {1.005, 2, "1.01"}, {-1.005, 2, "-1.01"}, {-2.5, 0, "-3"}, {12, 2, "12.00"}, {0.4, 0, "0"},
      {999.995, 2, "1000.00"}, {-0.004, 2, "0.00"}, {-0.005, 2, "-0.01"}, {0.05, 1, "0.1"}, {0.1, 4, "0.1000"},
      {1e15, 0, "1000000000000000"}};
  for (const auto& c : cases) EXPECT_EQ(fixed_text(c.value, c.decimals), c.text) << c.text;
}
// clang-format on

TEST(RoundHalfEven, TiesGoToTheEvenDigit) {
  // clang-format off
  const struct { double value; int decimals; double rounded; } cases[] = {
      {2.5, 0, 2}, {3.5, 0, 4}, {-2.5, 0, -2}, {0.5, 0, 0}, {2.6, 0, 3}, {0.125, 2, 0.12}, {0.135, 2, 0.14},
      {2.675, 2, 2.68}, {1.0050, 2, 1.0}, {1.0051, 2, 1.01}, {99.5, 0, 100}, {0.05, 1, 0.0}, {123.456, 5, 123.456},
      {1e20, 0, 1e20}};
  for (const auto& c : cases)
    EXPECT_EQ(round_half_even(c.value, c.decimals), c.rounded) << c.value << " at " << c.decimals;
  EXPECT_FALSE(std::signbit(round_half_even(-0.4)));
}
// clang-format on

TEST(NumberConversions, PastTheDoubleRangeIsOverflowAndNegativeDecimalsAnInvalidCall) {
  using testing::error_number_of;
  for (const char* text : {"1e309", "-1e400", "1e99999999999999999999"})
    EXPECT_EQ(error_number_of([&] { leading_number(text); }), 6) << text;
  EXPECT_EQ(error_number_of([] { fixed_text(1, -1); }), 5);
  EXPECT_EQ(error_number_of([] { round_half_even(1, -1); }), 5);
}

TEST(IsDateFormat, DayMonthOrYearOutsideLiterals) {
  for (const char* code : {"dd/mm/yyyy", "[$-409]d-mmm-yy;@", "mmm yyyy", "yyyy", "DD/MM/YYYY",
                           "[h]:mm", "mm:ss", "[ss]", "dd/mm/yyyy;0.00"})
    EXPECT_TRUE(is_date_format(code)) << code;
  for (const char* code :
       {"General", "0.00", "\\d0", "\"day\" 0", "[Red]0", "0.00E+00", "@", "_-* #,##0_-",
        "\"Rs\" #,##0.00;[Red]\"Rs\" -#,##0.00", "0.00;dd/mm/yyyy", ""})
    EXPECT_FALSE(is_date_format(code)) << code;
}

// Fixed decimals, dates and times from the first section; every other code shows General.
TEST(FormatNumber, FixedDecimalsDatesAndTimesElseGeneral) {
  const double april = 38443;  // Friday 1 April 2005
  // clang-format off
  const struct { double value; const char* code; const char* text; } cases[] = {
      {.value = -0.1 - 0.2, .code = "General", .text = "-0.3"},
      {.value = 1e20, .code = "", .text = "1E+20"},
      {.value = 42, .code = "@", .text = "42"},
      {.value = -2.5, .code = "0", .text = "-3"},
      {.value = -0.4, .code = "0", .text = "0"},
      {.value = 1.005, .code = "0.00", .text = "1.01"},
      {.value = 0.12345, .code = "0.0000", .text = "0.1235"},
      {.value = 999, .code = "#,##0", .text = "999"},
      {.value = -1234.5, .code = "#,##0.00", .text = "-1,234.50"},
      {.value = 1234567.891, .code = "#,##0", .text = "1,234,568"},
      // Only the first section counts.
      {.value = -1234.5, .code = "#,##0.00;(#,##0.00)", .text = "-1,234.50"},
      // Codes beyond these show General.
      {.value = 0.125, .code = "0%", .text = "0.125"},
      {.value = 0.000123, .code = "0.00E+00", .text = "0.000123"},
      {.value = 42, .code = "\"Rs \"0", .text = "42"},
      {.value = 42, .code = "[Red]0.0", .text = "42"},
      {.value = 5, .code = "0.0#", .text = "5"},
      {.value = 5, .code = "0.", .text = "5"},
      {.value = 5, .code = "#,##", .text = "5"},
      {.value = april, .code = "d/m/yy", .text = "1/4/05"},
      {.value = april, .code = "ddd dd-mmm-yyyy", .text = "Fri 01-Apr-2005"},
      {.value = april, .code = "dddd, d mmmm yyyy", .text = "Friday, 1 April 2005"},
      {.value = april, .code = "[$-409]d-mmm-yy;@", .text = "1-Apr-05"},
      {.value = april + 0.75, .code = "dd/mm/yyyy hh:mm", .text = "01/04/2005 18:00"},
      {.value = 3725.0 / 86400, .code = "mm:ss", .text = "02:05"},
      {.value = 3725.0 / 86400, .code = "h \"h\" m \"min\"", .text = "1 h 2 min"},
      {.value = 0.5 + 0.4 / 86400, .code = "hh:mm:ss", .text = "12:00:00"},
      {.value = 0.5 + 0.6 / 86400, .code = "hh:mm:ss", .text = "12:00:01"},
      {.value = -1, .code = "dd/mm/yyyy", .text = "########"},
      // Date codes beyond these show General.
      {.value = april, .code = "mmmmm", .text = "38443"},
      {.value = april + 0.75, .code = "h:mm AM/PM", .text = "38443.75"},
      {.value = 1.5, .code = "[h]:mm", .text = "1.5"},
      {.value = 0.25, .code = "ss.00", .text = "0.25"},
      {.value = 0.25, .code = "hh:mmm", .text = "0.25"}};
  for (const auto& c : cases) EXPECT_EQ(format_number(c.value, c.code), c.text) << c.code;
}
// clang-format on

TEST(FormatText, OnlyATextSectionChangesAText) {
  EXPECT_EQ(format_text("ABCDE1234F", "0;-0;0"), "ABCDE1234F");
  EXPECT_EQ(format_text("ABCDE1234F", "0;-0;0;\"PAN \"@"), "PAN ABCDE1234F");
  EXPECT_EQ(format_text("x", "0;-0;0;\"none\""), "x");
}

}  // namespace
}  // namespace fenwarx
