// The salary sheet's own checks: the financial year they take from the object,
// the period date against it, and the text of a derived amount.
#include "checks/salary_checks.hpp"

#include "checks/check_bench.hpp"

namespace fenwarx::testing {
namespace {

// Four digits and a next year the calendar holds; the failure names the year.
TEST(SalaryChecks, TheYearComesFromTheObject) {
  CheckBench b(Form::F24);
  const FinancialYear year = salary_year(b.self);
  EXPECT_EQ(year.first_year, 2005);
  EXPECT_EQ(year.first_day, day(2005, 4, 1));
  EXPECT_EQ(year.last_day, day(2006, 3, 31));
  for (const char* bad : {"", "205", "2005-06", " 200", "9999"}) {
    SCOPED_TRACE(bad);
    b.self.financial_year = bad;
    EXPECT_EQ(failure_of([&] { salary_year(b.self); }), err::kTypeMismatch);
  }
}

// Both ends of the year are inside, and a time of day on the last counts; a text
// that is no date marks nothing and shows its failure.
TEST(SalaryChecks, DateRangeHoldsThePeriodToTheYear) {
  const struct {
    Variant value;
    bool marked;
    bool shown = false;
  } cases[] = {
      {Variant::date(day(2005, 4, 1)), false},
      {Variant::date(day(2006, 3, 31)), false},
      {Variant::date(day(2006, 3, 31) + 0.25), true},
      {Variant::date(day(2005, 3, 31) + 0.99), true},
      {Variant::text("31/03/2006 06:00"), true},
      {Variant::text("1-Apr-2005"), false},
      {Variant::text("someday"), false, true},
      {Variant::number(38500), false, true},
      {Variant(), false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value.to_text());
    CheckBench b(Form::F24);
    b.self.cell(2, 4).SetNumberFormat(c.value.type() == VariantType::Text ? "@" : "General");
    b.self.cell(2, 4).SetValue(c.value);
    const FinancialYear year = salary_year(b.self);
    CheckDateRange(b.self, 2, 4, year);
    EXPECT_EQ(b.marked(2, 4), c.marked);
    EXPECT_EQ(b.self.error_count, c.marked ? 1 : 0);
    EXPECT_EQ(b.ui.messages,
              c.shown ? std::vector<Message>{Message::plain("Type mismatchCheckDateRange")}
                      : std::vector<Message>{});
  }
}

// Two decimals, no zero before the point, and the zero text for what is not above 0.
TEST(SalaryChecks, DerivedAmountText) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {0.5, ".50"},
      {0.75, ".75"},
      {1234.5, "1234.50"},
      {1, "1.00"},
      {0.995, "1.00"},
      {12.345, "12.35"},
      {0.004, ".00"},
      {0, "0.00"},
      {-0.75, "0.00"},
      {-5, "0.00"},
      {1e15, "1000000000000000.00"},
  };
  for (const auto& c : cases) EXPECT_EQ(derived_amount_text(c.value, "0.00"), c.text) << c.value;
  EXPECT_EQ(derived_amount_text(0, ".00"), ".00");
}

}  // namespace
}  // namespace fenwarx::testing
