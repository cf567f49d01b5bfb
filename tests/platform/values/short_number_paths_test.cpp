// Short decimals read, and amounts of rupees and paise print, without the general
// conversions; they must give what the general conversions give, bit for bit and
// digit for digit.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>

#include "platform/values/decimal_digits.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/variant.hpp"

namespace fenwarx {
namespace {

// The general path: 15 significant digits, then fixed decimals.
std::string general_fixed(double value, int decimals) {
  detail::DecimalDigits number = detail::to_decimal(value);
  detail::round_to_decimals(number, decimals, detail::Halves::AwayFromZero);
  std::string out = number.negative && number.count > 0 ? "-" : "";
  detail::append_fixed(out, number, decimals);
  return out;
}

std::string general_text(double value) {
  const detail::DecimalDigits number = detail::to_decimal(value);
  std::string out = number.negative ? "-" : "";
  detail::append_fixed(out, number, std::max(0, number.count - 1 - number.exponent));
  return out;
}

TEST(AmountTexts, AmountsPrintAsTheGeneralDigitsDo) {
  std::mt19937_64 random(20051);
  std::uniform_int_distribution<long long> paise(-99'999'999'999'999, 99'999'999'999'999);
  for (int i = 0; i < 1'000'000; ++i) {
    // Small amounts one after another, then any amount the fast path takes.
    const long long k = i < 200'000 ? i - 100'000 : paise(random) / (i % 2 ? 1 : 997);
    const double value = static_cast<double>(k) / 100;
    if (value == std::trunc(value)) continue;
    ASSERT_EQ(number_text(value), general_text(value)) << k;
    for (int decimals : {2, 4}) {
      ASSERT_EQ(fixed_text(value, decimals), general_fixed(value, decimals)) << k;
      std::string appended = "x";
      append_fixed_text(appended, value, decimals);
      ASSERT_EQ(appended, "x" + general_fixed(value, decimals)) << k;
    }
  }
  // Values near amounts that are not exactly one take the general path.
  for (double value : {0.1 + 0.2, 1234.5600000001, 1e13 + 0.25, 5e-324, -0.015})
    EXPECT_EQ(fixed_text(value, 2), general_fixed(value, 2)) << value;
}

// A number's leading number is taken without its text only where the text reads
// back as the number.
TEST(AmountTexts, LeadingNumbersOfNumbersNeedNoText) {
  std::mt19937_64 random(77);
  std::uniform_real_distribution<double> any(-1e16, 1e16);
  for (int i = 0; i < 200'000; ++i) {
    const double value = i % 4 == 0   ? any(random)
                         : i % 4 == 1 ? std::round(any(random) / 1e3)
                         : i % 4 == 2 ? static_cast<double>(i - 100'000) / 100
                                      : any(random) / 1e9;
    const Variant number = Variant::number(value);
    ASSERT_EQ(leading_number_of(number), leading_number(number.to_text())) << value;
  }
  EXPECT_FALSE(std::signbit(leading_number_of(Variant::number(-0.0))));
}

TEST(ShortDecimals, ReadAsAFullConversionReadsThem) {
  std::mt19937_64 random(1504);
  std::uniform_int_distribution<int> length(1, 18), digit(0, 9);
  for (int i = 0; i < 1'000'000; ++i) {
    std::string text = i % 3 == 0 ? "-" : "";
    const int digits = length(random);
    const int point = std::uniform_int_distribution<int>(0, digits)(random);
    for (int d = 0; d < digits; ++d) {
      if (d == point && d > 0) text += '.';
      text += static_cast<char>('0' + (d == 0 && i % 5 == 0 ? 0 : digit(random)));
    }
    double expected = 0;
    const char* first = text.data() + (text[0] == '-' ? 1 : 0);
    std::from_chars(first, text.data() + text.size(), expected, std::chars_format::fixed);
    if (text[0] == '-' && expected != 0) expected = -expected;
    ASSERT_EQ(parse_number(text), expected) << text;
    ASSERT_EQ(leading_number(text), expected) << text;
  }
}

}  // namespace
}  // namespace fenwarx
