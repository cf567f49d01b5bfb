#pragma once
// The columns of the challan sheet per form. Forms 26 and 27 have 23; Form 27EQ
// speaks of collectees and adds the minor head; Form 24 has no section column,
// so everything after the serial sits one column to the left.
#include <array>

#include "layout/field_table.hpp"
#include "layout/roles.hpp"

namespace fenwarx::challan_columns {

using C = ChallanColumn;
using Column = Field<C>;

inline constexpr std::string_view kRupees = "Rs.";
inline constexpr std::string_view kFilled = "Filled in by the verification";

// clang-format off
inline constexpr std::array<Column, 23> kDeduction{{
    {.role = C::SerialNumber, .label = "Sr. No.", .kind = Kind::Whole, .width = 7},
    {.role = C::Section, .label = "Section Code", .choice = Choice::Section, .width = 10},
    {.role = C::Tds, .label = "TDS (Rs.)", .kind = Kind::Amount, .width = 13, .note = kRupees},
    {.role = C::Surcharge, .label = "Surcharge (Rs.)", .kind = Kind::Amount, .width = 13,
     .note = kRupees},
    {.role = C::Cess, .label = "Education Cess (Rs.)", .kind = Kind::Amount, .width = 13,
     .note = kRupees},
    {.role = C::Interest, .label = "Interest (Rs.)", .kind = Kind::Amount, .width = 13,
     .note = kRupees},
    {.role = C::Others, .label = "Others (Rs.)", .kind = Kind::Amount, .width = 13,
     .note = kRupees},
    {.role = C::TotalDeposited, .label = "Total Tax Deposited (Rs.)", .kind = Kind::Amount,
     .width = 14, .note = "Total of the five amounts"},
    {.role = C::Cheque, .label = "Cheque / DD No.", .width = 12},
    {.role = C::BsrCode, .label = "BSR Code", .width = 10, .note = "7 digits"},
    {.role = C::DepositDate, .label = "Date of Deposit", .kind = Kind::Date, .width = 12,
     .note = "dd/mm/yyyy"},
    {.role = C::BookEntry, .label = "Book Entry (Y/N)", .choice = Choice::YesNo, .width = 8,
     .note = "Y/N"},
    {.role = C::ChallanNumber, .label = "Challan No.", .width = 10, .note = "Up to 5 digits"},
    {.role = C::TransferVoucher, .label = "Transfer Voucher No.", .width = 12,
     .note = "Book entry only"},
    {.role = C::Remarks, .label = "Remarks", .width = 14},
    {.role = C::DeducteeCount, .label = "No. of Deductees", .kind = Kind::Whole, .width = 11,
     .note = kFilled},
    {.role = C::TdsOfDeductees, .label = "TDS as per Deductees", .kind = Kind::Amount,
     .note = kFilled},
    {.role = C::SurchargeOfDeductees, .label = "Surcharge as per Deductees",
     .kind = Kind::Amount, .note = kFilled},
    {.role = C::CessOfDeductees, .label = "Cess as per Deductees", .kind = Kind::Amount,
     .note = kFilled},
    {.role = C::InterestCopy, .label = "Interest (copy)", .kind = Kind::Amount, .width = 12,
     .note = kFilled},
    {.role = C::OthersCopy, .label = "Others (copy)", .kind = Kind::Amount, .width = 12,
     .note = kFilled},
    {.role = C::TaxDeductedOfDeductees, .label = "Tax Deducted as per Deductees",
     .kind = Kind::Amount, .note = kFilled},
    {.role = C::TaxDepositedOfDeductees, .label = "Tax Deposited as per Deductees",
     .kind = Kind::Amount, .note = kFilled},
}};
// clang-format on

consteval std::array<Column, 22> salary() {
  std::array<Column, 22> columns{};
  for (std::size_t from = 0, to = 0; from < kDeduction.size(); ++from)
    if (kDeduction[from].role != C::Section) columns[to++] = kDeduction[from];
  return columns;
}

consteval std::array<Column, 24> collection() {
  std::array<Column, 24> columns{};
  for (std::size_t i = 0; i < kDeduction.size(); ++i) columns[i] = kDeduction[i];
  columns[2].label = "TCS (Rs.)";
  columns[15].label = "No. of Collectees";
  columns[16].label = "TCS as per Collectees";
  columns[17].label = "Surcharge as per Collectees";
  columns[18].label = "Cess as per Collectees";
  columns[21].label = "Tax Collected as per Collectees";
  columns[22].label = "Tax Deposited as per Collectees";
  columns[23] = {.role = C::MinorHead,
                 .label = "Minor Head (A-I)",
                 .choice = Choice::MinorHead,
                 .width = 9,
                 .note = "A to I"};
  return columns;
}

inline constexpr std::array<Column, 22> kSalary = salary();
inline constexpr std::array<Column, 24> kCollection = collection();

}  // namespace fenwarx::challan_columns
