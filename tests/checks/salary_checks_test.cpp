// The salary sheet's own checks where the walk cannot reach them: a period date's
// time of day, and the text of a derived amount.
#include "checks/salary_checks.hpp"

#include "checks/check_bench.hpp"

namespace fenwarx::testing {
namespace {

// Both ends of the year are inside, a time of day past the last is not; a number
// is no date and shows the failure.
TEST(SalaryChecks, DateRangeCountsTheTimeOfDay) {
  const struct {
    Variant value;
    bool marked, shown = false;
  } cases[] = {
      {Variant::date(day(2005, 4, 1)), false},
      {Variant::date(day(2006, 3, 31)), false},
      {Variant::date(day(2006, 3, 31) + 0.25), true},
      {Variant::date(day(2005, 3, 31) + 0.99), true},
      {Variant::number(38500), false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value.number_value());
    CheckBench b(Form::F24);
    b.self.cell(2, 4).SetValue(c.value);
    CheckDateRange(b.self, 2, 4, salary_year(b.self));
    EXPECT_EQ(b.marked(2, 4), c.marked);
    EXPECT_EQ(b.ui.messages.size(), c.shown ? 1u : 0u);
  }
}

TEST(SalaryChecks, DerivedAmountTextHasNoZeroBeforeThePoint) {
  const struct {
    double value;
    const char* text;
  } cases[] = {{0.5, ".50"},   {1234.5, "1234.50"}, {0.995, "1.00"}, {12.345, "12.35"},
               {0.004, ".00"}, {0, "nil"},          {-0.75, "nil"},  {1e15, "1000000000000000.00"}};
  for (const auto& c : cases) EXPECT_EQ(derived_amount_text(c.value, "nil"), c.text) << c.value;
}

}  // namespace
}  // namespace fenwarx::testing
