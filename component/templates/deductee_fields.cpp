#include "templates/layout_fields.hpp"

namespace fenwarx::templates {
namespace {

std::vector<Field> salary_deductee_fields() {
  return {
      {"Sr. No.", Kind::Whole, Choice::None, 7},
      {"Employee Reference No.", Kind::Text, Choice::None, 12},
      {"Section Code", Kind::Text, Choice::None, 9},
      {"PAN of the Employee", Kind::Text, Choice::None, 13},
      {"Name of the Employee", Kind::Text, Choice::None, 30},
      {"Date of Payment", Kind::Date, Choice::None, 12},
      {"Amount Paid (Rs.)", Kind::Amount, Choice::None, 13},
      {"TDS (Rs.)", Kind::Amount, Choice::None, 12},
      {"Surcharge (Rs.)", Kind::Amount, Choice::None, 12},
      {"Education Cess (Rs.)", Kind::Amount, Choice::None, 12},
      {"Total Tax Deducted (Rs.)", Kind::Amount, Choice::None, 13},
      {"Challan Sr. No.", Kind::Whole, Choice::None, 9},
      {"Total Tax Deposited (Rs.)", Kind::Amount, Choice::None, 13},
      {"Date of Deduction", Kind::Date, Choice::None, 12},
      {"Date of Deposit", Kind::Date, Choice::None, 12},
      {"Reason for Lower / No Deduction (A/B)", Kind::Text, Choice::AorB, 12},
  };
}

}  // namespace

// Forms 26 and 27 share 23 columns (27 asks in column 10 whether the tax was
// grossed up); Form 27EQ adds the value of purchase as column 6 and shifts the
// rest; Form 24 has its own 16.
std::vector<Field> deductee_fields(Form form) {
  if (form == Form::F24) return salary_deductee_fields();
  const bool collection = form == Form::F27EQ;
  std::vector<Field> fields{
      {"Section Code", Kind::Text, Choice::Section, 9},
      {collection ? "Collectee Code" : "Deductee Code", Kind::Whole, Choice::DeducteeCode, 9},
      {collection ? "PAN of the Collectee" : "PAN of the Deductee", Kind::Text, Choice::None, 13},
      {"PAN Reference No.", Kind::Text, Choice::None, 12},
      {collection ? "Name of the Collectee" : "Name of the Deductee", Kind::Text, Choice::None, 30},
      {collection ? "Amount Received (Rs.)" : "Amount Paid (Rs.)", Kind::Amount, Choice::None, 13},
      {collection ? "Date of Receipt" : "Date of Payment", Kind::Date, Choice::None, 12},
      {"Book Entry (Y/N)", Kind::Text, Choice::YesNo, 8},
      {"Rate (%)", Kind::Rate, Choice::None, 9},
      {form == Form::F27 ? "Grossed Up (Y/N)" : "Reserved", Kind::Text,
       form == Form::F27 ? Choice::YesNo : Choice::None, 9},
      {collection ? "TCS (Rs.)" : "TDS (Rs.)", Kind::Amount, Choice::None, 12},
      {"Surcharge (Rs.)", Kind::Amount, Choice::None, 12},
      {"Education Cess (Rs.)", Kind::Amount, Choice::None, 12},
      {collection ? "Total Tax Collected (Rs.)" : "Total Tax Deducted (Rs.)", Kind::Amount,
       Choice::None, 13},
      {collection ? "Date of Collection" : "Date of Deduction", Kind::Date, Choice::None, 12},
      {"Total Tax Deposited (Rs.)", Kind::Amount, Choice::None, 13},
      {"BSR Code", Kind::Text, Choice::None, 10},
      {"Date of Deposit", Kind::Date, Choice::None, 12},
      {"Challan Sr. No.", Kind::Whole, Choice::None, 9},
      {"Reason for Lower / No Deduction (A/B)", Kind::Text, Choice::AorB, 12},
      {"Reserved", Kind::Text, Choice::None, 9},
      {"Certificate No.", Kind::Text, Choice::None, 13},
      {"Remarks", Kind::Text, Choice::None, 16},
  };
  if (collection) {
    fields.insert(fields.begin() + 5,
                  {"Value of Purchase (Rs.)", Kind::Amount, Choice::None, 13});
    fields.erase(fields.begin() + 21);  // the second "Reserved"
  }
  return fields;
}

}  // namespace fenwarx::templates
