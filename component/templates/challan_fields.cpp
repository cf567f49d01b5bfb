#include "templates/layout_fields.hpp"

namespace fenwarx::templates {
namespace {

constexpr std::string_view kRupees = "Rs.";
constexpr std::string_view kFilled = "Filled in by the verification";

}  // namespace

// Forms 26 and 27 have 23 columns; Form 27EQ adds the minor head; Form 24 has
// no section column, so its columns from the second on sit one to the left.
std::vector<Field> challan_fields(Form form) {
  const bool collection = form == Form::F27EQ;
  const std::string_view persons = collection ? "No. of Collectees" : "No. of Deductees";
  std::vector<Field> fields{
      {"Sr. No.", Kind::Whole, Choice::None, 7},
      {"Section Code", Kind::Text, Choice::Section, 10},
      {collection ? "TCS (Rs.)" : "TDS (Rs.)", Kind::Amount, Choice::None, 13, kRupees},
      {"Surcharge (Rs.)", Kind::Amount, Choice::None, 13, kRupees},
      {"Education Cess (Rs.)", Kind::Amount, Choice::None, 13, kRupees},
      {"Interest (Rs.)", Kind::Amount, Choice::None, 13, kRupees},
      {"Others (Rs.)", Kind::Amount, Choice::None, 13, kRupees},
      {"Total Tax Deposited (Rs.)", Kind::Amount, Choice::None, 14, "Total of the five amounts"},
      {"Cheque / DD No.", Kind::Text, Choice::None, 12},
      {"BSR Code", Kind::Text, Choice::None, 10, "7 digits"},
      {"Date of Deposit", Kind::Date, Choice::None, 12, "dd/mm/yyyy"},
      {"Book Entry (Y/N)", Kind::Text, Choice::YesNo, 8, "Y/N"},
      {"Challan No.", Kind::Text, Choice::None, 10, "Up to 5 digits"},
      {"Transfer Voucher No.", Kind::Text, Choice::None, 12, "Book entry only"},
      {"Remarks", Kind::Text, Choice::None, 14},
      {persons, Kind::Whole, Choice::None, 11, kFilled},
      {collection ? "TCS as per Collectees" : "TDS as per Deductees", Kind::Amount, Choice::None,
       14, kFilled},
      {collection ? "Surcharge as per Collectees" : "Surcharge as per Deductees", Kind::Amount,
       Choice::None, 14, kFilled},
      {collection ? "Cess as per Collectees" : "Cess as per Deductees", Kind::Amount,
       Choice::None, 14, kFilled},
      {"Interest (copy)", Kind::Amount, Choice::None, 12, kFilled},
      {"Others (copy)", Kind::Amount, Choice::None, 12, kFilled},
      {collection ? "Tax Collected as per Collectees" : "Tax Deducted as per Deductees",
       Kind::Amount, Choice::None, 14, kFilled},
      {collection ? "Tax Deposited as per Collectees" : "Tax Deposited as per Deductees",
       Kind::Amount, Choice::None, 14, kFilled},
  };
  if (collection) fields.push_back({"Minor Head (A-I)", Kind::Text, Choice::MinorHead, 9, "A to I"});
  if (form == Form::F24) fields.erase(fields.begin() + 1);
  return fields;
}

}  // namespace fenwarx::templates
