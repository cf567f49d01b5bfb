#include "templates/layout_fields.hpp"

namespace fenwarx::templates {

// The verification of the salary sheet fills the totals, differences and the
// closing balance from the columns typed; the headings say which.
std::vector<Field> salary_fields() {
  return {
      {"Sr. No.", Kind::Whole, Choice::None, 7},
      {"PAN of the Employee", Kind::Text, Choice::None, 13},
      {"Name of the Employee", Kind::Text, Choice::None, 28},
      {"Period From", Kind::Date, Choice::None, 12},
      {"Period To", Kind::Date, Choice::None, 12},
      {"Salary u/s 17(1) (Rs.)", Kind::Amount},
      {"Perquisites u/s 17(2) (Rs.)", Kind::Amount},
      {"Profits in Lieu of Salary u/s 17(3) (Rs.)", Kind::Amount},
      {"Salary from Previous Employer (Rs.)", Kind::Amount},
      {"Gross Salary (6+7+8)", Kind::Amount},
      {"Allowances Exempt u/s 10 (Rs.)", Kind::Amount},
      {"Balance (10-11)", Kind::Amount},
      {"Other Income: Add (P) / Less (N)", Kind::Text, Choice::PlusMinus, 10},
      {"Income from Other Heads (Rs.)", Kind::Amount},
      {"Gross Total Income (12+/-14)", Kind::Amount},
      {"Deduction u/s 80C (Rs.)", Kind::Amount},
      {"Deduction u/s 80D (Rs.)", Kind::Amount},
      {"Other Chapter VI-A Deductions (Rs.)", Kind::Amount},
      {"Total Deductions (16+17+18)", Kind::Amount},
      {"Total Income (15-19)", Kind::Amount},
      {"Tax on Total Income (Rs.)", Kind::Amount},
      {"Rebate u/s 88 (Rs.)", Kind::Amount},
      {"Rebate u/s 88B/88C (Rs.)", Kind::Amount},
      {"Surcharge (Rs.)", Kind::Amount},
      {"Education Cess (Rs.)", Kind::Amount},
      {"Total Tax Payable (Rs.)", Kind::Amount},
      {"Relief u/s 89 (Rs.)", Kind::Amount},
      {"Net Tax Payable (26-27)", Kind::Amount},
      {"TDS by Current Employer (Rs.)", Kind::Amount},
      {"TDS by Previous Employer (Rs.)", Kind::Amount},
      {"Tax Paid on Perquisites u/s 192(1A) (Rs.)", Kind::Amount},
      {"Total Tax Deducted (29+30+31)", Kind::Amount},
      {"Balance: Payable (P) / Refundable (N)", Kind::Text, Choice::PlusMinus, 10},
      {"Balance (28-32) (Rs.)", Kind::Amount},
  };
}

std::vector<Field> perquisite_fields() {
  return {
      {"Name of the Employee", Kind::Text, Choice::None, 28},
      {"Sr. No. in Salary Details", Kind::Whole, Choice::None, 9},
      {"Accommodation: Value as per Rules (Rs.)", Kind::Amount},
      {"Accommodation: Rent Recovered (Rs.)", Kind::Amount},
      {"Car: Value as per Rules (Rs.)", Kind::Amount},
      {"Car: Amount Recovered (Rs.)", Kind::Amount},
      {"Other Benefits: Value (Rs.)", Kind::Amount},
      {"Other Benefits: Amount Recovered (Rs.)", Kind::Amount},
      {"Accommodation (Rs.)", Kind::Amount},
      {"Car / Conveyance (Rs.)", Kind::Amount},
      {"Sweeper, Gardener, Watchman (Rs.)", Kind::Amount},
      {"Gas, Electricity, Water (Rs.)", Kind::Amount},
      {"Interest-free Loans (Rs.)", Kind::Amount},
      {"Holiday, Meals, Gifts (Rs.)", Kind::Amount},
      {"Other Perquisites (Rs.)", Kind::Amount},
      {"Total Perquisites (9 to 15)", Kind::Amount},
  };
}

}  // namespace fenwarx::templates
