#pragma once
// The columns of the deductee (collectee) sheet per form. Forms 26 and 27 share
// 23 (Form 27 asks in column 10 whether the tax was grossed up); Form 27EQ speaks
// of collectees, adds the value of purchase as column 6 and drops the second
// reserved column; Form 24 has its own 16.
#include <array>

#include "layout/field_table.hpp"
#include "layout/roles.hpp"

namespace fenwarx::deductee_columns {

using D = DeducteeColumn;
using Column = Field<D>;
using Columns = std::array<Column, 23>;

// clang-format off
inline constexpr Columns kResident{{
    {.role = D::Section, .label = "Section Code", .choice = Choice::Section, .width = 9},
    {.role = D::Code, .label = "Deductee Code", .kind = Kind::Whole,
     .choice = Choice::DeducteeCode, .width = 9},
    {.role = D::Pan, .label = "PAN of the Deductee", .width = 13},
    {.role = D::PanReference, .label = "PAN Reference No.", .width = 12},
    {.role = D::Name, .label = "Name of the Deductee", .width = 30},
    {.role = D::AmountPaid, .label = "Amount Paid (Rs.)", .kind = Kind::Amount, .width = 13},
    {.role = D::PaymentDate, .label = "Date of Payment", .kind = Kind::Date, .width = 12},
    {.role = D::BookEntry, .label = "Book Entry (Y/N)", .choice = Choice::YesNo, .width = 8},
    {.role = D::Rate, .label = "Rate (%)", .kind = Kind::Rate, .width = 9},
    {.role = D::GrossedUp, .label = "Reserved", .width = 9},
    {.role = D::Tds, .label = "TDS (Rs.)", .kind = Kind::Amount, .width = 12},
    {.role = D::Surcharge, .label = "Surcharge (Rs.)", .kind = Kind::Amount, .width = 12},
    {.role = D::Cess, .label = "Education Cess (Rs.)", .kind = Kind::Amount, .width = 12},
    {.role = D::TotalTax, .label = "Total Tax Deducted (Rs.)", .kind = Kind::Amount, .width = 13},
    {.role = D::DeductionDate, .label = "Date of Deduction", .kind = Kind::Date, .width = 12},
    {.role = D::TaxDeposited, .label = "Total Tax Deposited (Rs.)", .kind = Kind::Amount,
     .width = 13},
    {.role = D::BsrCode, .label = "BSR Code", .width = 10},
    {.role = D::DepositDate, .label = "Date of Deposit", .kind = Kind::Date, .width = 12},
    {.role = D::ChallanSerial, .label = "Challan Sr. No.", .kind = Kind::Whole, .width = 9},
    {.role = D::Reason, .label = "Reason for Lower / No Deduction (A/B)", .choice = Choice::AorB,
     .width = 12},
    {.role = D::Reserved, .label = "Reserved", .width = 9},
    {.role = D::Certificate, .label = "Certificate No.", .width = 13},
    {.role = D::Remarks, .label = "Remarks", .width = 16},
}};
// clang-format on

consteval Columns non_resident() {
  Columns columns = kResident;
  columns[9] = {
      .role = D::GrossedUp, .label = "Grossed Up (Y/N)", .choice = Choice::YesNo, .width = 9};
  return columns;
}

consteval Columns collection() {
  Columns columns{};
  std::size_t to = 0;
  for (const Column& column : kResident) {
    if (column.role == D::Reserved) continue;
    columns[to++] = column;
    if (column.role == D::Name)
      columns[to++] = {.role = D::PurchaseValue,
                       .label = "Value of Purchase (Rs.)",
                       .kind = Kind::Amount,
                       .width = 13};
  }
  for (Column& column : columns) {
    switch (column.role) {
      case D::Code: column.label = "Collectee Code"; break;
      case D::Pan: column.label = "PAN of the Collectee"; break;
      case D::Name: column.label = "Name of the Collectee"; break;
      case D::AmountPaid: column.label = "Amount Received (Rs.)"; break;
      case D::PaymentDate: column.label = "Date of Receipt"; break;
      case D::Tds: column.label = "TCS (Rs.)"; break;
      case D::TotalTax: column.label = "Total Tax Collected (Rs.)"; break;
      case D::DeductionDate: column.label = "Date of Collection"; break;
      default: break;
    }
  }
  return columns;
}

inline constexpr Columns kNonResident = non_resident();
inline constexpr Columns kCollection = collection();

// clang-format off
inline constexpr std::array<Column, 16> kSalary{{
    {.role = D::SerialNumber, .label = "Sr. No.", .kind = Kind::Whole, .width = 7},
    {.role = D::EmployeeReference, .label = "Employee Reference No.", .width = 12},
    {.role = D::Section, .label = "Section Code", .width = 9},
    {.role = D::Pan, .label = "PAN of the Employee", .width = 13},
    {.role = D::Name, .label = "Name of the Employee", .width = 30},
    {.role = D::PaymentDate, .label = "Date of Payment", .kind = Kind::Date, .width = 12},
    {.role = D::AmountPaid, .label = "Amount Paid (Rs.)", .kind = Kind::Amount, .width = 13},
    {.role = D::Tds, .label = "TDS (Rs.)", .kind = Kind::Amount, .width = 12},
    {.role = D::Surcharge, .label = "Surcharge (Rs.)", .kind = Kind::Amount, .width = 12},
    {.role = D::Cess, .label = "Education Cess (Rs.)", .kind = Kind::Amount, .width = 12},
    {.role = D::TotalTax, .label = "Total Tax Deducted (Rs.)", .kind = Kind::Amount, .width = 13},
    {.role = D::ChallanSerial, .label = "Challan Sr. No.", .kind = Kind::Whole, .width = 9},
    {.role = D::TaxDeposited, .label = "Total Tax Deposited (Rs.)", .kind = Kind::Amount,
     .width = 13},
    {.role = D::DeductionDate, .label = "Date of Deduction", .kind = Kind::Date, .width = 12},
    {.role = D::DepositDate, .label = "Date of Deposit", .kind = Kind::Date, .width = 12},
    {.role = D::Reason, .label = "Reason for Lower / No Deduction (A/B)", .choice = Choice::AorB,
     .width = 12},
}};
// clang-format on

}  // namespace fenwarx::deductee_columns
