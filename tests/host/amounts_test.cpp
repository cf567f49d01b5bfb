#include "host/amounts.hpp"

#include <gtest/gtest.h>

#include <string>

namespace fenwarx::host {
namespace {

std::string read(std::string_view text) {
  const auto paise = amount_in_paise(text);
  return paise ? paise_text(*paise) : "none";
}

TEST(Amounts, ReadsWhatAnAccountantTypes) {
  EXPECT_EQ(read("1200"), "1200.00");
  EXPECT_EQ(read("1200.5"), "1200.50");
  EXPECT_EQ(read("0.05"), "0.05");
  EXPECT_EQ(read(".75"), "0.75");
  EXPECT_EQ(read("12."), "12.00");
  EXPECT_EQ(read("  -3.25 "), "-3.25");
  EXPECT_EQ(read("+7"), "7.00");
  EXPECT_EQ(read("1,20,000.00"), "120000.00");
  EXPECT_EQ(read("1,200,000"), "1200000.00");
  EXPECT_EQ(read("10.500"), "10.50");  // zeros past the paise change nothing
  EXPECT_EQ(read("123456789012345678901234.99"), "123456789012345678901234.99");
}

TEST(Amounts, ATextThatIsNoExactAmountIsNone) {
  for (const char* text :
       {"", "  ", "-", ".", "+.", "abc", "12abc", "1.2.3", "1.005", "1e3", ",100", "100,", "1,,000",
        "1,.5", "Rs 100", "12 34", "1234567890123456789012345"})
    EXPECT_EQ(read(text), "none") << '"' << text << '"';
}

TEST(Amounts, PaiseTextKeepsLeadingZerosAndTheSign) {
  EXPECT_EQ(paise_text(0), "0.00");
  EXPECT_EQ(paise_text(5), "0.05");
  EXPECT_EQ(paise_text(-5), "-0.05");
  EXPECT_EQ(paise_text(-100), "-1.00");
}

TEST(Amounts, ColumnTotalIsExactAndCountsWhatItLeftOut) {
  ColumnTotal total;
  for (int i = 0; i < 120; ++i) total.add("0.10");  // in binary fractions this misses 12.00
  EXPECT_EQ(paise_text(total.paise), "12.00");
  total.add("twelve lakh");
  total.add("");
  total.add("-2.10");
  total.add("1.001");
  EXPECT_EQ(paise_text(total.paise), "9.90");
  EXPECT_EQ(total.not_amounts, 2);  // the empty text shows nothing and adds nothing
}

}  // namespace
}  // namespace fenwarx::host
