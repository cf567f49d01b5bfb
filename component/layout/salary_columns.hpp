#pragma once
// Form 24's salary and perquisite sheets. The verification of the salary sheet
// fills the totals, differences and the closing balance from the columns typed;
// the headings say which.
#include <array>

#include "layout/field_table.hpp"
#include "layout/roles.hpp"

namespace fenwarx::salary_columns {

using S = SalaryColumn;
using P = PerquisiteColumn;

// clang-format off
inline constexpr std::array<Field<S>, 34> kSalary{{
    {.role = S::SerialNumber, .label = "Sr. No.", .kind = Kind::Whole, .width = 7},
    {.role = S::Pan, .label = "PAN of the Employee", .width = 13},
    {.role = S::Name, .label = "Name of the Employee", .width = 28},
    {.role = S::PeriodFrom, .label = "Period From", .kind = Kind::Date, .width = 12},
    {.role = S::PeriodTo, .label = "Period To", .kind = Kind::Date, .width = 12},
    {.role = S::Salary, .label = "Salary u/s 17(1) (Rs.)", .kind = Kind::Amount},
    {.role = S::Perquisites, .label = "Perquisites u/s 17(2) (Rs.)", .kind = Kind::Amount},
    {.role = S::ProfitsInLieu, .label = "Profits in Lieu of Salary u/s 17(3) (Rs.)",
     .kind = Kind::Amount},
    {.role = S::PreviousEmployerSalary, .label = "Salary from Previous Employer (Rs.)",
     .kind = Kind::Amount},
    {.role = S::GrossSalary, .label = "Gross Salary (6+7+8)", .kind = Kind::Amount},
    {.role = S::ExemptAllowances, .label = "Allowances Exempt u/s 10 (Rs.)", .kind = Kind::Amount},
    {.role = S::Balance, .label = "Balance (10-11)", .kind = Kind::Amount},
    {.role = S::OtherIncomeSign, .label = "Other Income: Add (P) / Less (N)",
     .choice = Choice::PlusMinus, .width = 10},
    {.role = S::OtherIncome, .label = "Income from Other Heads (Rs.)", .kind = Kind::Amount},
    {.role = S::GrossTotalIncome, .label = "Gross Total Income (12+/-14)", .kind = Kind::Amount},
    {.role = S::Deduction80C, .label = "Deduction u/s 80C (Rs.)", .kind = Kind::Amount},
    {.role = S::Deduction80D, .label = "Deduction u/s 80D (Rs.)", .kind = Kind::Amount},
    {.role = S::OtherDeductions, .label = "Other Chapter VI-A Deductions (Rs.)",
     .kind = Kind::Amount},
    {.role = S::TotalDeductions, .label = "Total Deductions (16+17+18)", .kind = Kind::Amount},
    {.role = S::TotalIncome, .label = "Total Income (15-19)", .kind = Kind::Amount},
    {.role = S::TaxOnIncome, .label = "Tax on Total Income (Rs.)", .kind = Kind::Amount},
    {.role = S::Rebate88, .label = "Rebate u/s 88 (Rs.)", .kind = Kind::Amount},
    {.role = S::Rebate88B, .label = "Rebate u/s 88B/88C (Rs.)", .kind = Kind::Amount},
    {.role = S::Surcharge, .label = "Surcharge (Rs.)", .kind = Kind::Amount},
    {.role = S::Cess, .label = "Education Cess (Rs.)", .kind = Kind::Amount},
    {.role = S::TotalTaxPayable, .label = "Total Tax Payable (Rs.)", .kind = Kind::Amount},
    {.role = S::Relief89, .label = "Relief u/s 89 (Rs.)", .kind = Kind::Amount},
    {.role = S::NetTaxPayable, .label = "Net Tax Payable (26-27)", .kind = Kind::Amount},
    {.role = S::TdsCurrentEmployer, .label = "TDS by Current Employer (Rs.)", .kind = Kind::Amount},
    {.role = S::TdsPreviousEmployer, .label = "TDS by Previous Employer (Rs.)",
     .kind = Kind::Amount},
    {.role = S::TaxOnPerquisites, .label = "Tax Paid on Perquisites u/s 192(1A) (Rs.)",
     .kind = Kind::Amount},
    {.role = S::TotalTaxDeducted, .label = "Total Tax Deducted (29+30+31)", .kind = Kind::Amount},
    {.role = S::BalanceSign, .label = "Balance: Payable (P) / Refundable (N)",
     .choice = Choice::PlusMinus, .width = 10},
    {.role = S::BalanceAmount, .label = "Balance (28-32) (Rs.)", .kind = Kind::Amount},
}};
// clang-format on

// clang-format off
inline constexpr std::array<Field<P>, 16> kPerquisite{{
    {.role = P::EmployeeName, .label = "Name of the Employee", .width = 28},
    {.role = P::SalarySerial, .label = "Sr. No. in Salary Details", .kind = Kind::Whole,
     .width = 9},
    {.role = P::AccommodationValue, .label = "Accommodation: Value as per Rules (Rs.)",
     .kind = Kind::Amount},
    {.role = P::AccommodationRecovered, .label = "Accommodation: Rent Recovered (Rs.)",
     .kind = Kind::Amount},
    {.role = P::CarValue, .label = "Car: Value as per Rules (Rs.)", .kind = Kind::Amount},
    {.role = P::CarRecovered, .label = "Car: Amount Recovered (Rs.)", .kind = Kind::Amount},
    {.role = P::OtherBenefitsValue, .label = "Other Benefits: Value (Rs.)", .kind = Kind::Amount},
    {.role = P::OtherBenefitsRecovered, .label = "Other Benefits: Amount Recovered (Rs.)",
     .kind = Kind::Amount},
    {.role = P::Accommodation, .label = "Accommodation (Rs.)", .kind = Kind::Amount},
    {.role = P::Car, .label = "Car / Conveyance (Rs.)", .kind = Kind::Amount},
    {.role = P::Servants, .label = "Sweeper, Gardener, Watchman (Rs.)", .kind = Kind::Amount},
    {.role = P::Utilities, .label = "Gas, Electricity, Water (Rs.)", .kind = Kind::Amount},
    {.role = P::Loans, .label = "Interest-free Loans (Rs.)", .kind = Kind::Amount},
    {.role = P::HolidayMealsGifts, .label = "Holiday, Meals, Gifts (Rs.)", .kind = Kind::Amount},
    {.role = P::OtherPerquisites, .label = "Other Perquisites (Rs.)", .kind = Kind::Amount},
    {.role = P::Total, .label = "Total Perquisites (9 to 15)", .kind = Kind::Amount},
}};
// clang-format on

}  // namespace fenwarx::salary_columns
