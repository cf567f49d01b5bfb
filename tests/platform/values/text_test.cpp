// ASCII folding and blanks, and UTF-8 sequences as the writers and length checks see them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/values/ascii.hpp"
#include "platform/values/utf8.hpp"

namespace fenwarx {
namespace {

TEST(Ascii, FoldsLettersOnlyAndTrimsSpacesOnly) {
  const struct { const char *a, *b; bool equal; } pairs[] = {
      {"Sheet1", "SHEET1", true}, {"xl/Styles.xml", "XL/styles.XML", true}, {"@", "`", false},
      {"[", "{", false}, {"\xC3\xA9", "\xC3\x89", false}, {"ab", "abc", false}, {"", "", true}};
  for (const auto& p : pairs) EXPECT_EQ(equal_ignoring_case(p.a, p.b), p.equal) << p.a << " " << p.b;
  EXPECT_EQ(to_upper("pan-q1 \xC3\xA9"), "PAN-Q1 \xC3\xA9");
  EXPECT_EQ(trimmed("  \tQ1 2 \t "), "\tQ1 2 \t");
  EXPECT_EQ(trimmed("   "), "");
  EXPECT_EQ(without_blanks(" A B  C "), "ABC");
  EXPECT_EQ(without("1,234,567", ','), "1234567");
}

TEST(Utf8, SequenceLengthsRejectWhatIsNotWellFormed) {
  const struct { std::string text; std::size_t length; char32_t code = 0; } cases[] = {
      {"A", 1, U'A'}, {"\xC3\xA9", 2, U'\u00E9'}, {"\xE2\x82\xB9", 3, U'\u20B9'},
      {"\xF0\x9F\x98\x80", 4, U'\U0001F600'}, {"\xEF\xBF\xBE", 3, 0xFFFE},
      {"\xF4\x8F\xBF\xBF", 4, 0x10FFFF},
      {"\x80", 0}, {"\xBF", 0},                             // continuation bytes alone
      {"\xC0\xAF", 0}, {"\xC1\xBF", 0}, {"\xE0\x9F\xBF", 0},  // overlong
      {"\xF0\x8F\xBF\xBF", 0}, {"\xED\xA0\x80", 0},          // overlong; a surrogate
      {"\xF4\x90\x80\x80", 0}, {"\xF5\x80\x80\x80", 0},      // past U+10FFFF
      {"\xE2\x82", 0}, {"\xC3" "A", 0}, {"\xFF", 0}};        // cut short; not continued
  for (const auto& c : cases) {
    EXPECT_EQ(utf8_sequence_length(c.text, 0), c.length) << c.text;
    if (c.length > 0) {
      EXPECT_EQ(utf8_code_point(std::string_view(c.text).substr(0, c.length)), c.code) << c.text;
    }
  }
}

TEST(Utf8, CharactersAreCountedAsAUserSeesThem) {
  const std::string text = "a\xE0\xA4\x95\xE2\x82\xB9" "b";  // a, ka, rupee sign, b
  EXPECT_EQ(character_count(text), 4u);
  EXPECT_EQ(characters(text), (std::vector<std::string_view>{"a", "\xE0\xA4\x95", "\xE2\x82\xB9", "b"}));
  EXPECT_EQ(character_count(""), 0u);
  EXPECT_TRUE(characters("").empty());
}

}  // namespace
}  // namespace fenwarx
