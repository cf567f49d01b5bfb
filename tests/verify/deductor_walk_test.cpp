// The deductor walk: TAN and PAN normalised in place, the fields that must be
// present, state names and categories, the return type and its regular flag, and
// the control totals filled from what the other walks gathered.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/clean_return.hpp"
#include "verify/verification.hpp"

namespace fenwarx {
namespace {

using namespace fenwarx::testing;
using enum Form;

// What the challan and deductee walks leave for the control totals.
struct Totals {
  double amount = 2000, tax = 200, challan_total = 1500, challan_count = 2, deductee_count = 3;
};

// The value of `row` marked, or nothing.
Marks mark(bool marked, int row) { return marked ? Marks{{row, 2}} : Marks{}; }

// A bound object over a clean return with `changes` typed over its deductor sheet.
struct Bench : ReturnBench {
  explicit Bench(Form form, const Cells& changes = {}, Totals totals = {}) : ReturnBench(form) {
    auto sheets = clean_return(form);
    sheets[kDeductorSheet].cells = with(sheets[kDeductorSheet].cells, changes);
    workbook = memory_workbook(sheets);
    self.bind(workbook);
    sheet = self.deductor_sheet;
    self.totals.amount_paid = totals.amount;
    self.totals.tax_deducted = totals.tax;
    self.totals.challan_total = totals.challan_total;
    self.totals.challan_count = totals.challan_count;
    self.totals.deductee_count = totals.deductee_count;
  }
  void run() { VerifyDeductorDetails(self); }
  std::string text(int row) { return ReturnBench::text(row, 2); }
};

// Each field rule marks its own row once and leaves the text shown. The TAN loses blanks and
// hyphens, is upper-cased and tested as four letters, five digits, a letter; it is written back
// unless its length is wrong. Only PAN category O requires a PAN; any ten-character PAN is
// tested as five letters, four digits, a letter; Form 24 admits three more
// reserved words. A PAN of another length is marked whatever the category: the
// batch header could not carry it. Some fields must be present, states are named exactly as listed.
TEST(DeductorWalk, FieldRulesMarkTheirRow) {
  // clang-format off
  const struct {
    Form form;
    int row;
    const char* typed;
    bool marked;
    const char* after = nullptr;  // when not as typed
    const char* category = "A";
  } cases[] = {
      {F26, 1, "abcd 12345-e", false, "ABCD12345E"}, {F26, 1, "abcd 1234e", true},
      {F26, 1, "ABCD123456E", true},  {F26, 1, "abc112345e", true, "ABC112345E"},
      {F26, 1, "ABC_12345E", true},   {F26, 1, "ABCD1234EE", true},
      {F26, 1, "ABCD123451", true},   {F26, 1, "", true},
      {F24, 1, "abcd 12345-e", false, "ABCD12345E"}, {F24, 1, "abc112345e", true, "ABC112345E"},
      {F27, 1, "abcd 12345-e", false, "ABCD12345E"}, {F27, 1, "abc112345e", true, "ABC112345E"},
      {F27EQ, 1, "abcd 12345-e", false, "ABCD12345E"}, {F27EQ, 1, "abcd 1234e", true},
      {F26, 2, "PANNOTREQD", false, nullptr, "O"}, {F26, 2, "ABCD1234F", true, nullptr, "O"},
      {F26, 2, "abcd 1234-f", true, "ABCD1234F"}, {F26, 2, "ABCDE12345", true},
      {F26, 2, "abcde-1234f", false, "ABCDE1234F", "o"}, {F26, 2, "", false, nullptr, "O"},
      {F26, 2, "ABCD_1234F", true, nullptr, "O"},    {F26, 2, "PANNOTAVBL", true, nullptr, "O"},
      {F27EQ, 2, "AB", true, nullptr, "O"},           {F27EQ, 2, "AB", true, nullptr, "C"},
      {F24, 2, "PANNOTAVBL", false, nullptr, "O"},    {F24, 2, "PANAPPLIED", false, nullptr, "O"},
      {F24, 2, "paninvalid", false, "PANINVALID", "O"}, {F24, 2, "PANNOTTHRE", true, nullptr, "O"},
      {F26, 3, "", true},     {F26, 5, " ", true},     {F26, 11, "", true},  {F26, 17, "", true},
      {F26, 18, "", true},    {F26, 19, "", true},     {F26, 25, "", true},  {F26, 10, "", true},
      {F26, 10, "Delhi", true}, {F26, 10, "DELHI ", false}, {F26, 24, "ORISSA", false},
      {F26, 24, "BENGAL", true}, {F26, 16, "a", false}, {F26, 16, "Z", true}, {F26, 16, "", true},
      {F26, 16, "AB", true},  {F26, 4, "", false},     {F26, 12, "", false},
      {F27EQ, 3, "", true},   {F27EQ, 10, "Goa", true}, {F24, 16, "q", false},
      {F27, 24, "CHHATISHGARH", false},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << form_name(c.form) << " case " << (&c - cases));
    Bench b(c.form, c.row == 16 ? Cells{{16, 2, c.typed}}
                                : Cells{{16, 2, c.category}, {c.row, 2, c.typed}});
    b.run();
    EXPECT_EQ(b.marks(), mark(c.marked, c.row));
    EXPECT_EQ(b.self.error_count, c.marked ? 1 : 0);
    EXPECT_TRUE(b.ui.messages.empty());
    EXPECT_EQ(b.self.current_sheet, b.sheet);
    if (c.row != 16) {
      EXPECT_EQ(b.text(c.row), c.after ? c.after : c.typed);
    }
  }
}

// R or C in any case is written upper-cased, anything else becomes R; never a
// mark. Forms 27 and 27EQ keep the flag for the whole thread.
TEST(DeductorWalk, ReturnTypeSetsTheRegularFlag) {
  // clang-format off
  const struct { const char *typed, *after; bool regular; } cases[] = {
      {"c", "C", false}, {" C ", "C", false}, {"r", "R", true}, {"X", "R", true}, {"", "R", true}};
  for (Form form : kForms) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(form_name(form)) + " '" + c.typed + "'");
      Bench b(form, {{38, 2, c.typed}}), other(form);
      other.self.regular_flag() = !c.regular;
      b.run();
      EXPECT_TRUE(b.marks().empty());
      EXPECT_EQ(b.text(38), c.after);
      EXPECT_EQ(b.self.regular_flag(), c.regular);
      const bool shared = form == F27 || form == F27EQ;
      EXPECT_EQ(other.self.regular_flag(), shared ? c.regular : !c.regular);
      if (shared) {
        EXPECT_EQ(module_state().regular_flag, c.regular);
      }
    }
  }
  // clang-format on
}

// A total at or below zero is reset to 0, then replaced when it differs; row 34
// differs only when the two-decimal texts do.
TEST(DeductorWalk, ControlTotalsAreFilledNotChecked) {
  // clang-format off
  const struct { int row; const char* typed; Totals totals; const char* after; } cases[] = {
      {35, "-5", {.challan_total = 0}, "0"},       {35, "-5", {}, "1500"},
      {34, "1000.004", {.tax = 1000}, "1000.004"}, {34, "1000.006", {.tax = 1000}, "1000"},
      {34, "-1", {.tax = 0}, "0"},                 {34, "200.001", {}, "200.001"},
      {33, "abc", {}, "2000"},                     {33, "abc", {.amount = 0}, "0"},
      {33, "2000", {}, "2000"},                    {36, "7", {}, "2"},
      {37, "7", {.deductee_count = 0}, "0"},       {37, "3", {}, "3"},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.row) + " " + c.typed);
    Bench b(F26, {{c.row, 2, c.typed}}, c.totals);
    b.run();
    EXPECT_EQ(b.text(c.row), c.after);
    EXPECT_EQ(b.self.error_count, 0);
  }
}

TEST(DeductorWalk, ClearsRowsOneTo38Only) {
  Bench b(F26);
  for (int row : {5, 30, 38, 39, 40}) b.sheet->set_interior_color(row, 2, kColorError);
  b.sheet->set_interior_color(5, 3, kColorError);
  b.run();
  EXPECT_EQ(b.marks(), (Marks{{5, 3}, {39, 2}, {40, 2}}));
}

}  // namespace
}  // namespace fenwarx
