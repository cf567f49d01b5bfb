// PAN, TAN and other code fields: blanks, fixed lengths, bank codes, PANs and
// their references.
#include "checks/check_bench.hpp"

namespace fenwarx::testing {
namespace {

TEST(OneCharacterTests, LettersAreAToZOnlyAndDigitsAreDecimalDigits) {
  for (const char* ch : {"A", "Z", "a", "m", "z"}) EXPECT_TRUE(IsLetterChar(ch)) << ch;
  for (const char* ch : {"@", "[", "\\", "]", "^", "_", "`", "0", " ", "", "\xC3\x89"})
    EXPECT_FALSE(IsLetterChar(ch)) << ch;
  for (const char* ch : {"0", "5", "9"}) EXPECT_TRUE(IsDigitChar(ch)) << ch;
  for (const char* ch : {"A", ".", "-", "+", ",", " ", ""}) EXPECT_FALSE(IsDigitChar(ch)) << ch;
}

// written: what the cell then holds, when not the typed text itself.
TEST(CheckPan10, AlwaysRewritesTheUpperCasedTextWithoutBlanks) {
  const struct { const char* typed; bool marked; const char* written = nullptr; } cases[] = {
      {"", false, "PANNOTAVBL"},              {"abcde1234f", false, "ABCDE1234F"},
      {" ABCDE 1234F ", false, "ABCDE1234F"}, {"panapplied", false, "PANAPPLIED"},
      {"PAN NOTREQD", false, "PANNOTREQD"},   {"PANINVALID", false},
      {"ABCD 1234 F", true, "ABCD1234F"},     // nine characters once the blanks go
      {"AB'DE1234F", true, "ABDE1234F"},      // the apostrophe reads as a blank
      {"ABCD_1234F", true},                   // "_" follows Z in the code table: no letter
      {"ABCDE12345", true},  {"1BCDE1234F", true},  {"ABCDEF234F", true},  {"ABCDE1234FG", true},
      {"ABCD\xC3\x89" "1234F", true},           // ten characters, one not A-Z
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    CheckBench b;
    b.type(4, 3, c.typed);
    CheckPan10(b.self, 4, 3);
    const char* written = c.written ? c.written : c.typed;
    EXPECT_EQ(b.self.cell(4, 3).Value(), Variant::text(written));
    EXPECT_EQ(b.marked(4, 3), c.marked);
    EXPECT_EQ(b.self.error_count, c.marked ? 1 : 0);
    EXPECT_EQ(b.self.last_text, c.typed[0] ? written : "");
  }
}

TEST(CheckPanRef, KeptOnlyBesideAMissingPan) {
  const struct { const char *pan, *reference, *kept; bool marked; } cases[] = {
      {"ABCDE1234F", "REF1", nullptr, false}, {"", "REF1", nullptr, false},
      {"PANNOTAVBL", "", nullptr, false},     {"PANNOTAVBL", "ABCDEFGHIJ", "ABCDEFGHIJ", false},
      {"pannotavbl", "ABCDEFGHIJK", "ABCDEFGHIJK", true},
      {"PANNOTAVBL", "ABC DEF GHI", "ABC DEF GHI", true},  // blanks count
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.pan) + " / " + c.reference);
    CheckBench b;
    b.type(7, 3, c.pan);
    b.type(7, 4, c.reference);
    CheckPanRef(b.self, 7, 4);
    EXPECT_EQ(b.self.cell(7, 4).Value(), c.kept ? Variant::text(c.kept) : Variant());
    EXPECT_EQ(b.marked(7, 4), c.marked);
  }
}

// Blank, PIN, length and bank-code checks look at the length only; an empty cell
// passes all but CheckBlank. None moves the cell it was given.
TEST(LengthChecks, MarkTheWrongLengthsOnly) {
  using Check = std::function<void(ReturnObject&, double&, double&)>;
  const Check blank = CheckBlank, pin6 = CheckPin6, bank = checkBankCode,
              ten = [](ReturnObject& s, double r, double c) { CheckLegth(s, r, c, 10); };
  struct Case { const Check& check; const char* typed; bool marked; const char* read = nullptr; };
  const Case cases[] = {  // read: the text the check read, when not the typed text itself
      {blank, "", true},   {blank, "   ", true, ""},  {blank, "X", false},  {pin6, "", false},
      {pin6, "400001", false},  {pin6, "400 001", false, "400001"},  {pin6, "ABCDEF", false},
      {pin6, "40000", true},  {pin6, "4000011", true},  {ten, "", false},  {ten, "ABCDE1234", true},
      {ten, "ABCDE12345", false},  {ten, "ABCD E1234 5", false, "ABCDE12345"},
      {ten, "ABCDE12345X", true},  {bank, "", false},  {bank, "ABC DEFG", true},
      {bank, "12345678", true},    {bank, "0510308", false, "510308"},  // typed, it is a number
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    CheckBench b;
    b.type(5, 2, c.typed);
    double r = 5, col = 2;
    c.check(b.self, r, col);
    EXPECT_EQ(b.marked(5, 2), c.marked);
    EXPECT_EQ(b.self.error_count, c.marked ? 1 : 0);
    EXPECT_EQ(b.self.last_text, c.read ? c.read : c.typed);
    EXPECT_TRUE(r == 5 && col == 2 && b.ui.messages.empty());
  }
}

}  // namespace
}  // namespace fenwarx::testing
