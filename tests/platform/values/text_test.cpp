// ASCII folding and blanks, and UTF-8 sequences as the writers and length checks see them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/values/ascii.hpp"
#include "platform/values/utf8.hpp"

namespace fenwarx {
namespace {

TEST(Ascii, FoldsLettersOnlyAndTrimsSpacesOnly) {
  // clang-format off
  const struct { const char *a, *b; bool equal; } pairs[] = {
      {.a = "Sheet1", .b = "SHEET1", .equal = true},
      {.a = "xl/Styles.xml", .b = "XL/styles.XML", .equal = true},
      {.a = "@", .b = "`", .equal = false},  // 32 apart, but not letters
      {.a = "[", .b = "{", .equal = false},
      {.a = "\xC3\xA9", .b = "\xC3\x89", .equal = false},  // only ASCII folds
      {.a = "ab", .b = "abc", .equal = false},
      {.a = "", .b = "", .equal = true}};
  for (const auto& p : pairs) EXPECT_EQ(equal_ignoring_case(p.a, p.b), p.equal) << p.a << " " << p.b;
  EXPECT_EQ(to_upper("pan-q1 \xC3\xA9"), "PAN-Q1 \xC3\xA9");
  EXPECT_EQ(trimmed("  \tQ1 2 \t "), "\tQ1 2 \t");
  EXPECT_EQ(trimmed("   "), "");
  EXPECT_EQ(without_blanks(" A B  C "), "ABC");
  EXPECT_EQ(without("1,234,567", ','), "1234567");
}
// clang-format on

TEST(Utf8, SequencesDecodeAndEncodeAndIllFormedOnesAreRejected) {
  // clang-format off
  const struct { std::string text; char32_t code; } well_formed[] = {
      {.text = "A", .code = U'A'}, {.text = "\xC3\xA9", .code = 0xE9},
      {.text = "\xE2\x82\xB9", .code = 0x20B9}, {.text = "\xF0\x9F\x98\x80", .code = 0x1F600},
      {.text = "\xEF\xBF\xBE", .code = 0xFFFE}, {.text = "\xF4\x8F\xBF\xBF", .code = 0x10FFFF}};
  for (const auto& c : well_formed) {
    EXPECT_EQ(utf8_sequence_length(c.text + "z", 0), c.text.size()) << c.text;
    EXPECT_EQ(utf8_code_point(c.text), c.code) << c.text;
    std::string encoded;
    append_utf8(encoded, c.code);
    EXPECT_EQ(encoded, c.text);
  }
  // clang-format on
  // clang-format off
  const std::string malformed[] = {
      "\x80", "\xBF",                                              // continuation bytes alone
      "\xC0\xAF", "\xC1\xBF", "\xE0\x9F\xBF", "\xF0\x8F\xBF\xBF",  // overlong
      "\xED\xA0\x80",                                             // a surrogate
      "\xF4\x90\x80\x80", "\xF5\x80\x80\x80",                     // past U+10FFFF
      "\xE2\x82", "\xC3" "A", "\xFF"};  // cut short; not continued; never UTF-8
  for (const std::string& text : malformed) EXPECT_EQ(utf8_sequence_length(text, 0), 0u) << text;
}
// clang-format on

TEST(Utf8, CharactersAreCountedAsAUserSeesThem) {
  const std::string text =
      "a\xE0\xA4\x95\xE2\x82\xB9"
      "b";  // a, ka, rupee sign, b
  EXPECT_EQ(character_count(text), 4u);
  EXPECT_EQ(characters(text),
            (std::vector<std::string_view>{"a", "\xE0\xA4\x95", "\xE2\x82\xB9", "b"}));
  EXPECT_EQ(character_count(""), 0u);
  EXPECT_TRUE(characters("").empty());
}

}  // namespace
}  // namespace fenwarx
