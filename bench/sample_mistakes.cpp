#include "sample_mistakes.hpp"

#include "layout/workbook_layout.hpp"

namespace fenwarx::bench {
namespace {

using templates::CellValue;

constexpr int kFirstChallanRow = 4, kFirstDeducteeRow = 3;
constexpr int kFiftyYears = 18262;       // days from a date in 2005 to the same in 2055
constexpr int kAfterQuarterDay = 38548;  // 15/07/2005
constexpr int kBeforeYearDay = 38442;    // 31/03/2005, the day before 2005-06
constexpr int kAfterYearDay = 38822;     // 15/04/2006
constexpr int kFirstSalaryRow = 2;

// Deductee columns that move between the forms.
struct Columns {
  int pan, amount, rate, tax, deduction_date, serial;  // 0: the form has none
  int challan_date, bsr_code, book_entry;              // challan sheet
};

Columns columns_of(Form form) {
  switch (form) {
    case Form::F24: return {4, 7, 0, 11, 14, 12, 10, 9, 11};
    case Form::F27EQ: return {3, 7, 10, 12, 16, 20, 11, 10, 12};
    default: return {3, 6, 9, 11, 15, 19, 11, 10, 12};
  }
}

// Salary rows from the first: a period outside the year at both ends, an
// employee without a name, a sign of the other income that is neither P nor N;
// and the second perquisite row without the salary serial it belongs to.
void plan_salary_mistakes(std::vector<Mistake>& plan) {
  using S = SalaryColumn;
  const WorkbookLayout& layout = workbook_layout(Form::F24);
  const auto salary = [&](int index, S role, templates::CellValue value, std::string_view what) {
    plan.push_back({SampleSheet::Salaries, kFirstSalaryRow + index,
                    layout.salaries->columns.of(role), std::move(value), what});
  };
  salary(1, S::PeriodFrom, CellValue::of_number(kBeforeYearDay),
         "period from 31/03/2005, a day before the year");
  salary(3, S::Name, CellValue{}, "employee without a name");
  // The sixth employee has income from other heads, so its sign is checked.
  salary(5, S::OtherIncomeSign, CellValue::of_text("X"), "sign of the other income typed X");
  salary(7, S::PeriodTo, CellValue::of_number(kAfterYearDay),
         "period to 15/04/2006, after the year");
  plan.push_back({SampleSheet::Perquisites, kFirstSalaryRow + 1,
                  layout.perquisites->columns.of(PerquisiteColumn::SalarySerial), CellValue{},
                  "perquisites without the serial of their salary row"});
}

}  // namespace

std::vector<Mistake> plan_mistakes(const SampleReturn& data, int salaries) {
  const Columns col = columns_of(data.form);
  const int deductees = static_cast<int>(data.deductees.size());
  const int challans = static_cast<int>(data.challans.size());
  const auto deductee = [&](int i) -> const SampleDeductee& {
    return data.deductees[static_cast<std::size_t>(i)];
  };
  std::vector<Mistake> plan{
      {SampleSheet::Deductor, 10, 2, CellValue::of_text("Delhi"), "state not in capitals"}};
  if (challans >= 3) {
    const SampleChallan& second = data.challans[1];
    plan.push_back({SampleSheet::Challans, kFirstChallanRow, col.book_entry,
                    CellValue::of_text("y"), "book-entry flag in lower case"});
    plan.push_back({SampleSheet::Challans, kFirstChallanRow + 1, col.challan_date,
                    CellValue::of_number(second.deposit_day + kFiftyYears),
                    "deposit date after today (2055 for 2005)"});
    plan.push_back({SampleSheet::Challans, kFirstChallanRow + 2, col.bsr_code,
                    CellValue::of_text(data.challans[2].bsr_code + "1"),
                    "bank branch code of 8 characters"});
  }
  if (deductees >= 9) {
    std::string short_pan = deductee(0).pan.substr(0, 9);
    plan.push_back({SampleSheet::Deductees, kFirstDeducteeRow, col.pan,
                    CellValue::of_text(short_pan), "PAN of 9 characters"});
    plan.push_back({SampleSheet::Deductees, kFirstDeducteeRow + 2, col.serial,
                    CellValue::of_number(challans + 6), "names a challan that does not exist"});
    plan.push_back({SampleSheet::Deductees, kFirstDeducteeRow + 4, col.deduction_date,
                    CellValue::of_number(kAfterQuarterDay), "date of deduction after the quarter"});
    if (col.rate != 0) {
      plan.push_back({SampleSheet::Deductees, kFirstDeducteeRow + 6, col.rate,
                      CellValue::of_number(0), "tax deducted at a nil rate"});
      plan.push_back({SampleSheet::Deductees, kFirstDeducteeRow + 8, col.amount,
                      CellValue::of_number(rupees(deductee(8).deducted()) / 2),
                      "amount paid below the tax deducted"});
    } else {
      plan.push_back({SampleSheet::Deductees, kFirstDeducteeRow + 6, col.deduction_date,
                      CellValue{}, "tax deducted without a date of deduction"});
    }
  }
  if (salaries >= 9) plan_salary_mistakes(plan);
  return plan;
}

}  // namespace fenwarx::bench
