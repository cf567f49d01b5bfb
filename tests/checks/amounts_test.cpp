// Amount and rate fields: filled with zero when empty, written back with two or
// four decimals; text is replaced by its leading number rather than reported.
// Then the nil-rate rule of each form.
#include "checks/check_bench.hpp"

namespace fenwarx::testing {
namespace {

Variant N(double n) { return Variant::number(n); }
Variant T(const char* t) { return Variant::text(t); }

// "1,234" typed is the number 1234; as a text ("'1,234") its leading number is 1.
// A lone apostrophe ("''") reads as a blank: not empty enough to be zero-filled,
// empty once trimmed, so CheckAmount marks it; rounding first turns it into 0.
// Present rates get four decimals. A marked cell keeps the General format.
TEST(AmountChecks, ZeroFillRoundAndRewrite) {
  struct CellCase {
    const char* typed;
    Variant value;
    bool marked = false;
  };
  using Check = void (*)(ReturnObject&, double, double);
  // clang-format off
  const struct { Check check; const char* format; std::vector<CellCase> cases; } rules[] = {
      {ifValueIsZero, "General", {{"", N(0)}, {"abc", T("abc")}, {"12.5", N(12.5)}}},
      {CheckAmount, "0.00",
       {{"", N(0)}, {"abc", N(0)}, {"1,234", N(1234)}, {"12abc", N(12)}, {"1 2", N(12)}, {"-5", N(-5)},
        {"2.345", N(2.35)}, {"'1,234", N(1)}, {"''", T("'"), true}}},
      {CheckAmountroundoff, "0.00",
       {{"", N(0)}, {"''", N(0)}, {"2.7abc", N(3)}, {"1234.5", N(1234)}, {"1233.5", N(1234)}}},
      {CheckZ_B_Amount, "General",
       {{"12.345", N(12.35)}, {"7x", N(7)}, {"'1,234", N(1)}, {"", Variant(), true}, {"0", N(0), true},
        {"-5", N(-5), true}, {"abc", T("abc"), true}}},
      {CheckAmountDigitAfterDicimal, "General",
       {{"10", N(10)}, {"-2.5", N(-2.5)}, {"abc", N(0)}, {"1.23456", N(1.2346)}, {"", {}, true}}},
      {CheckRateAmount, "0.0000", {{"2.5%", N(0.025)}, {"x", N(0)}, {"", {}, true}}}};
  for (const auto& rule : rules) {
    for (const CellCase& c : rule.cases) {
      SCOPED_TRACE(std::to_string(&rule - rules) + " \"" + c.typed + '"');
      CheckBench b;
      b.type(6, 5, c.typed);
      rule.check(b.self, 6, 5);
      EXPECT_EQ(b.self.cell(6, 5).Value(), c.value);
      EXPECT_EQ(b.self.cell(6, 5).NumberFormat(), c.marked ? "General" : rule.format);
      EXPECT_EQ(b.marked(6, 5), c.marked);
      EXPECT_TRUE(b.ui.messages.empty());
    }
  }
  // clang-format on
  CheckBench b;  // what was read is kept as typed
  b.type(6, 5, "1234.5");
  CheckAmount(b.self, 6, 5);
  EXPECT_EQ(b.self.cell(6, 5).Text(), "1234.50");
  EXPECT_EQ(b.self.last.text, "1234.5");
}

// A failure (an empty or textual rate or tax; a form without the rule) reaches
// the caller before anything is marked.
TEST(CheckRateAmountNill, NilRateNeedsNilTaxAndTwoWayFormsZeroTheSerial) {
  using enum Form;
  using err::kTypeMismatch, err::kNoSuchMember;
  // marked: the column marked, if any.
  // clang-format off
  const struct { Form form; const char *rate, *tax; int marked; bool serial_zeroed; int failure = 0; } cases[] = {
      {F26, "0", "100", 11, false}, {F26, "0", "0", 0, false},    {F26, "5", "0", 0, false},
      {F27, "0", "100", 11, true},  {F27, "5", "0", 9, true},     {F27, "0", "0", 0, true},
      {F27, "5", "100", 0, false},  {F27EQ, "0", "50", 12, true}, {F27EQ, "1", "0", 10, true},
      {F26, "", "100", 0, false, kTypeMismatch}, {F26, "abc", "0", 0, false, kTypeMismatch},
      {F27, "0", "", 0, false, kTypeMismatch},   {F24, "0", "0", 0, false, kNoSuchMember}};
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    CheckBench b(c.form);
    // Form 24 has no rule; it is given Form 26's columns.
    const FieldTable<DeducteeColumn>& columns = workbook_layout(c.form == F24 ? F26 : c.form).deductees.columns;
    const int rate = columns.of(DeducteeColumn::Rate), tax = columns.of(DeducteeColumn::Tds),
              serial = columns.of(DeducteeColumn::ChallanSerial);
    b.type(8, rate, c.rate);
    b.type(8, tax, c.tax);
    b.type(8, serial, "7");
    EXPECT_EQ(error_number_of([&] { CheckRateAmountNill(b.self, 8); }), c.failure);
    int marks = 0;
    for (int col = 1; col <= 20; ++col) marks += b.marked(8, col);
    EXPECT_TRUE(marks == (c.marked ? 1 : 0) && (!c.marked || b.marked(8, c.marked))) << marks;
    EXPECT_EQ(b.self.error_count, marks);
    EXPECT_EQ(b.self.cell(8, serial).Value(), N(c.serial_zeroed ? 0 : 7));
    EXPECT_TRUE(b.ui.messages.empty());
  }
  // clang-format on
}

}  // namespace
}  // namespace fenwarx::testing
