// Form 24's salary and perquisite steps. Most derived salary columns are checked
// as typed and then filled, so the fill has the last word; the gross salary and
// the perquisite total are filled first and then checked. The relief (27) and
// the tax paid on perquisites (31) feed the totals but are not checked.
#include <array>
#include <span>
#include <vector>

#include "layout/workbook_layout.hpp"
#include "state/message_texts.hpp"
#include "verify/placed_actions.hpp"
#include "verify/salary_steps.hpp"

namespace fenwarx {
namespace {

using S = SalaryColumn;
using P = PerquisiteColumn;
using namespace sheet_step;

// What a derived column holds when its result is not above 0.
constexpr std::string_view kZero = "0.00";
constexpr std::string_view kPointZero = ".00";

constexpr S kGrossParts[] = {S::Salary, S::Perquisites, S::ProfitsInLieu};
constexpr S kGross[] = {S::GrossSalary};
constexpr S kExempt[] = {S::ExemptAllowances};
constexpr S kDeductionParts[] = {S::Deduction80C, S::Deduction80D, S::OtherDeductions};
constexpr S kGrossTotal[] = {S::GrossTotalIncome};
constexpr S kDeductions[] = {S::TotalDeductions};
constexpr S kTaxPayable[] = {S::TotalTaxPayable};
constexpr S kRelief[] = {S::Relief89};
constexpr S kTaxDeductedParts[] = {S::TdsCurrentEmployer, S::TdsPreviousEmployer,
                                   S::TaxOnPerquisites};

// clang-format off
constexpr SalaryAction kSalary[] = {
    {.column = S::SerialNumber, .step = Blank{}},
    {.column = S::SerialNumber, .step = Amount{}},
    {.column = S::Pan, .step = Pan10{}},
    {.column = S::Name, .step = Blank{}},
    {.column = S::PeriodFrom, .step = YearDate{.day = 1, .month = 4, .years_after = 0}},
    {.column = S::PeriodFrom, .step = Date{}},
    {.column = S::PeriodFrom, .step = DateRange{}},
    {.column = S::PeriodFrom, .step = Date{}},
    {.column = S::PeriodTo, .step = YearDate{.day = 31, .month = 3, .years_after = 1}},
    {.column = S::PeriodTo, .step = Date{}},
    {.column = S::PeriodTo, .step = DateRange{}},
    {.column = S::PeriodTo, .step = Date{}},
    {.column = S::Salary, .step = Amount{}},
    {.column = S::Perquisites, .step = Amount{}},
    {.column = S::ProfitsInLieu, .step = Amount{}},
    {.column = S::PreviousEmployerSalary, .step = Amount{}},
    {.column = S::GrossSalary, .step = Fill<S>{.added = kGrossParts, .zero = kZero, .caught = Caught{.after = texts::kGrossSalaryFailure}}},
    {.column = S::GrossSalary, .step = Amount{}},
    {.column = S::ExemptAllowances, .step = Amount{}},
    {.column = S::Balance, .step = Amount{}},
    {.column = S::Balance, .step = Fill<S>{.added = kGross, .less = kExempt, .zero = kZero, .caught = Caught{.after = ""}}},
    {.column = S::OtherIncomeSign, .step = SignFlag<S>{.amount = S::OtherIncome}},
    {.column = S::OtherIncome, .step = Amount{}},
    {.column = S::GrossTotalIncome, .step = Amount{}},
    {.column = S::GrossTotalIncome, .step = SignedFill<S>{.base = S::Balance, .sign = S::OtherIncomeSign, .amount = S::OtherIncome, .zero = kPointZero}},
    {.column = S::Deduction80C, .step = Amount{}},
    {.column = S::Deduction80D, .step = Amount{}},
    {.column = S::OtherDeductions, .step = Amount{}},
    {.column = S::TotalDeductions, .step = Amount{}},
    {.column = S::TotalDeductions, .step = Fill<S>{.added = kDeductionParts, .zero = kZero}},
    {.column = S::TotalIncome, .step = Amount{}},
    {.column = S::TotalIncome, .step = Fill<S>{.added = kGrossTotal, .less = kDeductions, .zero = kZero}},
    {.column = S::TaxOnIncome, .step = Amount{}},
    {.column = S::Rebate88, .step = Amount{}},
    {.column = S::Rebate88B, .step = Amount{}},
    {.column = S::Surcharge, .step = Amount{}},
    {.column = S::Cess, .step = Amount{}},
    {.column = S::TotalTaxPayable, .step = Amount{}},
    {.column = S::NetTaxPayable, .step = Amount{}},
    {.column = S::NetTaxPayable, .step = Fill<S>{.added = kTaxPayable, .less = kRelief, .zero = kZero}},
    {.column = S::TdsCurrentEmployer, .step = Amount{}},
    {.column = S::TdsPreviousEmployer, .step = Amount{}},
    {.column = S::TotalTaxDeducted, .step = Amount{}},
    {.column = S::TotalTaxDeducted, .step = Fill<S>{.added = kTaxDeductedParts, .zero = kZero}},
    {.column = S::BalanceSign, .step = Balance<S>{.payable = S::NetTaxPayable, .paid = S::TotalTaxDeducted, .amount = S::BalanceAmount, .zero = kPointZero}},
};
// clang-format on

constexpr P kPerquisiteParts[] = {P::Accommodation,   P::Car,   P::Servants,
                                  P::Utilities,       P::Loans, P::HolidayMealsGifts,
                                  P::OtherPerquisites};

// clang-format off
constexpr PerquisiteAction kPerquisites[] = {
    {.column = P::EmployeeName, .step = Blank{}},
    {.column = P::SalarySerial, .step = Blank{}},
    {.column = P::SalarySerial, .step = Amount{}},
    {.column = P::AccommodationValue, .step = Amount{}},
    {.column = P::AccommodationRecovered, .step = Amount{}},
    {.column = P::CarValue, .step = Amount{}},
    {.column = P::CarRecovered, .step = Amount{}},
    {.column = P::OtherBenefitsValue, .step = Amount{}},
    {.column = P::OtherBenefitsRecovered, .step = Amount{}},
    {.column = P::Accommodation, .step = Amount{}},
    {.column = P::Car, .step = Amount{}},
    {.column = P::Servants, .step = Amount{}},
    {.column = P::Utilities, .step = Amount{}},
    {.column = P::Loans, .step = Amount{}},
    {.column = P::HolidayMealsGifts, .step = Amount{}},
    {.column = P::OtherPerquisites, .step = Amount{}},
    {.column = P::Total, .step = Fill<P>{.added = kPerquisiteParts, .zero = kPointZero}},
    {.column = P::Total, .step = Amount{}},
};
// clang-format on

template <class Action, class Role>
std::vector<PlacedAction<Action>> placed(std::span<const Action> actions,
                                         const TableSheet<Role>* sheet) {
  return place_actions(std::array{actions}, sheet->columns, std::string(sheet->name));
}

}  // namespace

std::span<const PlacedAction<SalaryAction>> salary_actions() {
  static const std::vector<PlacedAction<SalaryAction>> kPlaced =
      placed(std::span<const SalaryAction>(kSalary), workbook_layout(Form::F24).salaries);
  return kPlaced;
}

std::span<const PlacedAction<PerquisiteAction>> perquisite_actions() {
  static const std::vector<PlacedAction<PerquisiteAction>> kPlaced = placed(
      std::span<const PerquisiteAction>(kPerquisites), workbook_layout(Form::F24).perquisites);
  return kPlaced;
}

}  // namespace fenwarx
