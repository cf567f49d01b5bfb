#include "platform/values/numbers.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/values/runtime_error.hpp"

namespace fenwarx {
namespace {

TEST(LeadingNumber, ReadsUpToTheFirstOtherCharacter) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"", 0},           {"abc", 0},         {".", 0},          {"-", 0},
      {"12", 12},        {"12abc", 12},      {"1,234", 1},      {".5", 0.5},
      {"-.5", -0.5},     {"+7", 7},          {"1 2", 12},       {" - 1 2 . 5", -12.5},
      {"\t1\n2\r3", 123}, {"1.5.3", 1.5},    {"1e3", 1000},     {"1E-2", 0.01},
      {"2d2", 200},      {"1e", 1},          {"1e+", 1},        {"1 e 3x", 1000},
      {"--5", 0},        {"1e-400", 0},      {"0x1A", 0},       {"-0", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(leading_number(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseNumber, AcceptsWholeNumbersOnly) {
  const struct {
    const char* text;
    double value;
  } numbers[] = {
      {"12", 12},       {" 12 ", 12},    {"-12.5", -12.5}, {"+3", 3},      {".5", 0.5},
      {"12.", 12},      {"1e3", 1000},   {"1.5E-2", 0.015}, {"2D2", 200},  {"1,234", 1234},
      {"1,234,567.5", 1234567.5},        {"12,345", 12345}, {"0.1", 0.1},
  };
  for (const auto& c : numbers) {
    EXPECT_TRUE(is_numeric(c.text)) << c.text;
    EXPECT_EQ(parse_number(c.text), c.value) << c.text;
  }
  for (const char* text : {"", "  ", ".", "-", "+", "1 2", "12abc", "1e", "1e+", "1,2",
                           "1,2345", ",123", "1,,234", "1234,567", "1.234,5", "1.2.3", "- 1",
                           "&H1F", "0x1F", "$12", "1e400", "12-"}) {
    EXPECT_FALSE(is_numeric(text)) << text;
    EXPECT_FALSE(parse_number(text).has_value()) << text;
  }
}

TEST(NumberText, FifteenSignificantDigitsShortestForm) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {12, "12"},          {12.5, "12.5"},          {0.5, "0.5"},       {-3, "-3"},
      {-0.0, "0"},         {0.1 + 0.2, "0.3"},      {1e15, "1E+15"},    {1e20, "1E+20"},
      {1e100, "1E+100"},   {1e-5, "0.00001"},       {-1.25e-5, "-0.0000125"},
      {1.5e-7, "1.5E-07"}, {1e-7, "1E-07"},         {2.0 / 3, "0.666666666666667"},
      {123456789012345, "123456789012345"},         {999999999999999, "999999999999999"},
      {1234567890123456.0, "1.23456789012346E+15"}, {9999999999999999.0, "1E+16"},
      {9.99999999999999e-6, "9.99999999999999E-06"},
  };
  for (const auto& c : cases) EXPECT_EQ(number_text(c.value), c.text) << c.text;
}

TEST(FixedText, HalvesAwayFromZeroOnThePrintedDigits) {
  const struct {
    double value;
    int decimals;
    const char* text;
  } cases[] = {
      {2.345, 2, "2.35"},   {1.005, 2, "1.01"},     {-1.005, 2, "-1.01"}, {2.5, 0, "3"},
      {-2.5, 0, "-3"},      {0.125, 2, "0.13"},     {12, 2, "12.00"},     {0, 2, "0.00"},
      {999.995, 2, "1000.00"}, {0.004, 2, "0.00"},  {-0.004, 2, "0.00"},  {-0.005, 2, "-0.01"},
      {0.05, 1, "0.1"},     {0.0004, 2, "0.00"},    {0.5, 0, "1"},        {0.4, 0, "0"},
      {1234567.891, 1, "1234567.9"}, {1e15, 0, "1000000000000000"},  {0.1, 4, "0.1000"},
  };
  for (const auto& c : cases) EXPECT_EQ(fixed_text(c.value, c.decimals), c.text) << c.text;
}

TEST(RoundHalfEven, TiesGoToTheEvenDigit) {
  const struct {
    double value;
    int decimals;
    double rounded;
  } cases[] = {
      {2.5, 0, 2},     {3.5, 0, 4},        {-2.5, 0, -2},      {-3.5, 0, -4},    {0.5, 0, 0},
      {1.5, 0, 2},     {2.6, 0, 3},        {2.4, 0, 2},        {0.125, 2, 0.12}, {0.135, 2, 0.14},
      {2.675, 2, 2.68}, {1.0050, 2, 1.0},  {1.0051, 2, 1.01},  {99.5, 0, 100},   {0.05, 1, 0.0},
      {123.456, 5, 123.456}, {1e20, 0, 1e20},
  };
  for (const auto& c : cases)
    EXPECT_EQ(round_half_even(c.value, c.decimals), c.rounded) << c.value << " at " << c.decimals;
  EXPECT_FALSE(std::signbit(round_half_even(-0.4)));
}

TEST(NumberConversions, PastTheDoubleRangeIsOverflowAndNegativeDecimalsAnInvalidCall) {
  const auto error_number = [](auto&& call) {
    try {
      call();
    } catch (const RuntimeError& e) {
      return e.number();
    }
    return 0;
  };
  for (const char* text : {"1e309", "-1e400", "1e99999999999999999999"})
    EXPECT_EQ(error_number([&] { leading_number(text); }), 6) << text;
  EXPECT_EQ(error_number([] { fixed_text(1, -1); }), 5);
  EXPECT_EQ(error_number([] { round_half_even(1, -1); }), 5);
}

}  // namespace
}  // namespace fenwarx
