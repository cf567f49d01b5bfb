// PAN, TAN and other code fields: blanks, fixed lengths, bank codes, PANs and their references.
#include "checks/check_bench.hpp"
#include "checks/code_shapes.hpp"
#include "checks/walk_checks.hpp"

namespace fenwarx::testing {
namespace {

TEST(OneCharacterTests, LettersAreAToZOnlyAndDigitsAreDecimalDigits) {
  for (const char* ch : {"A", "Z", "a", "z"}) EXPECT_TRUE(IsLetterChar(ch)) << ch;
  for (const char* ch : {"@", "[", "_", "`", "0", "", "\xC3\x89"})
    EXPECT_FALSE(IsLetterChar(ch)) << ch;
  for (const char* ch : {"0", "9"}) EXPECT_TRUE(IsDigitChar(ch)) << ch;
  for (const char* ch : {"A", ".", "-", " ", ""}) EXPECT_FALSE(IsDigitChar(ch)) << ch;
}

TEST(CheckPanRef, KeptOnlyBesideAMissingPan) {
  // clang-format off
  const struct { const char *pan, *reference, *kept; bool marked; } cases[] = {
      {"ABCDE1234F", "REF1", nullptr, false}, {"", "REF1", nullptr, false}, {"PANNOTAVBL", "", nullptr, false},
      {"PANNOTAVBL", "ABCDEFGHIJ", "ABCDEFGHIJ", false}, {"pannotavbl", "ABCDEFGHIJK", "ABCDEFGHIJK", true},
      {"PANNOTAVBL", "ABC DEF GHI", "ABC DEF GHI", true}};  // blanks count
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.pan) + " / " + c.reference);
    CheckBench b;
    b.type(7, 3, c.pan);
    b.type(7, 4, c.reference);
    CheckPanRef(b.self, 7, 4);
    EXPECT_EQ(b.self.cell(7, 4).Value(), c.kept ? Variant::text(c.kept) : Variant());
    EXPECT_EQ(b.marked(7, 4), c.marked);
  }
  // clang-format on
}

// Blank, PIN, length and bank-code checks look at the length only; an empty cell passes
// all but CheckBlank. CheckPan10 always rewrites the upper-cased text without blanks.
// None moves the cell it was given.
TEST(CodeChecks, MarkTheWrongLengthsOrShapesOnly) {
  using Check = std::function<void(ReturnObject&, double&, double&)>;
  const Check blank = CheckBlank, pin6 = CheckPin6, bank = checkBankCode, pan = CheckPan10,
              ten = [](ReturnObject&s, double r, double c) { CheckLegth(s, r, c, 10); };
  // read: the text the check read, and written: what the cell then holds, when not as typed.
  struct Case {
    const Check& check;
    const char* typed;
    bool marked;
    const char *read = nullptr, *written = nullptr;
  };
  // clang-format off
  const Case cases[] = {
      {blank, "", true}, {blank, "   ", true, ""}, {blank, "X", false}, {pin6, "", false}, {pin6, "ABCDEF", false},
      {pin6, "400 001", false, "400001"}, {pin6, "40000", true}, {pin6, "4000011", true}, {ten, "", false},
      {ten, "ABCDE1234", true}, {ten, "ABCD E1234 5", false, "ABCDE12345"}, {ten, "ABCDE12345X", true},
      {bank, "", false}, {bank, "ABC DEFG", true}, {bank, "12345678", true},
      {bank, "0510308", false, "510308"},  // typed, it is a number
      {pan, "", false, nullptr, "PANNOTAVBL"}, {pan, " abcde 1234f ", false, "ABCDE1234F", "ABCDE1234F"},
      {pan, "panapplied", false, "PANAPPLIED", "PANAPPLIED"}, {pan, "PAN NOTREQD", false, "PANNOTREQD", "PANNOTREQD"},
      {pan, "PANINVALID", false}, {pan, "ABCD 1234 F", true, "ABCD1234F", "ABCD1234F"},  // nine once the blanks go
      {pan, "AB'DE1234F", true, "ABDE1234F", "ABDE1234F"},  // the apostrophe reads as a blank
      {pan, "ABCD_1234F", true},                              // "_" follows Z in the code table: no letter
      {pan, "ABCDE12345", true}, {pan, "1BCDE1234F", true}, {pan, "ABCDEF234F", true}, {pan, "ABCDE1234FG", true},
      {pan, "ABCD\xC3\x89" "1234F", true}};                   // ten characters, one not A-Z
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    CheckBench b;
    b.type(5, 2, c.typed);
    const Variant typed = b.self.cell(5, 2).Value();
    double r = 5, col = 2;
    c.check(b.self, r, col);
    EXPECT_EQ(b.self.cell(5, 2).Value(), c.written ? Variant::text(c.written) : typed);
    EXPECT_EQ(b.marked(5, 2), c.marked);
    EXPECT_EQ(b.self.error_count, c.marked ? 1 : 0);
    EXPECT_EQ(b.self.last.text, c.read ? c.read : c.typed);
    EXPECT_TRUE(r == 5 && col == 2 && b.ui.messages.empty());
  }
  // clang-format on
}

// The deductee code is a number, 1 or 2: a code typed as text fails, "1" included.
TEST(CheckDeducteeCode, OnlyTheNumbersOneAndTwoPass) {
  const struct {
    Variant held;
    bool marked;
  } cases[] = {{Variant::number(1), false}, {Variant::number(2), false},
               {Variant::number(0), true},  {Variant::number(3), true},
               {Variant::text("1"), true},  {Variant::text(" 2 "), true},
               {Variant(), true},           {Variant::error(cell_error::kNA), true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    CheckBench b;
    b.sheet->store_value(4, 2, c.held);
    CheckDeducteeCode(b.self, 4, 2);
    EXPECT_EQ(b.marked(4, 2), c.marked);
    EXPECT_EQ(b.self.error_count, c.marked ? 1 : 0);
  }
}

}  // namespace
}  // namespace fenwarx::testing
