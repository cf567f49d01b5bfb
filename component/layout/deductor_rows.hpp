#pragma once
// The rows of the deductor (collector) sheet per form: role, label, format and
// hint of each. Rows 29 to 31 differ: Forms 26 and 27 keep the financial year
// in row 30 and the date of their nil challans in row 31, Form 27EQ swaps the
// two years, Form 24 asks in row 30 whether the responsible person's address
// changed and keeps the financial year in row 31.
#include <array>

#include "layout/field_table.hpp"
#include "layout/roles.hpp"

namespace fenwarx::deductor_rows {

using R = DeductorRow;
using Row = Field<R>;
inline constexpr int kRows = 43;
using Rows = std::array<Row, kRows>;

inline constexpr std::string_view kFilled = "Filled in by the verification";

// The blank workbook ends the year rows' hints with the current years.
inline constexpr Row kAssessmentYear{.role = R::AssessmentYear,
                                     .label = "Assessment Year",
                                     .kind = Kind::Year,
                                     .width = 36,
                                     .note = "Typed like"};
inline constexpr Row kFinancialYear{.role = R::FinancialYear,
                                    .label = "Financial Year",
                                    .kind = Kind::Year,
                                    .width = 36,
                                    .note = "Typed like"};
inline constexpr Row kNilChallanDate{.role = R::NilChallanDate,
                                     .label = "Date of Nil Challans",
                                     .kind = Kind::Date,
                                     .width = 36,
                                     .note = "dd/mm/yyyy: dates the challans of nil-rate rows"};

// Forms 26 and 27.
// clang-format off
inline constexpr Rows kDeductor{{
    {.role = R::Tan, .label = "TAN of the Deductor"},
    {.role = R::Pan, .label = "PAN of the Deductor"},
    {.role = R::Name, .label = "Name of the Deductor"},
    {.role = R::Branch, .label = "Branch / Division"},
    {.role = R::Flat, .label = "Flat / Door / Block No."},
    {.role = R::Premises, .label = "Name of Premises / Building"},
    {.role = R::Road, .label = "Road / Street / Lane"},
    {.role = R::Area, .label = "Area / Locality"},
    {.role = R::Town, .label = "Town / City / District"},
    {.role = R::State, .label = "State", .choice = Choice::State},
    {.role = R::Pin, .label = "PIN Code", .kind = Kind::Whole},
    {.role = R::StdCode, .label = "STD Code"},
    {.role = R::Telephone, .label = "Telephone No."},
    {.role = R::Email, .label = "E-mail"},
    {.role = R::AddressChanged, .label = "Address Changed since Last Return (Y/N)",
     .choice = Choice::YesNo},
    {.role = R::Category, .label = "Deductor Category", .choice = Choice::Category},
    {.role = R::ResponsibleName, .label = "Name of the Person Responsible"},
    {.role = R::ResponsibleDesignation, .label = "Designation of the Person Responsible"},
    {.role = R::ResponsibleFlat, .label = "Responsible Person: Flat / Door / Block No."},
    {.role = R::ResponsiblePremises, .label = "Responsible Person: Name of Premises / Building"},
    {.role = R::ResponsibleRoad, .label = "Responsible Person: Road / Street / Lane"},
    {.role = R::ResponsibleArea, .label = "Responsible Person: Area / Locality"},
    {.role = R::ResponsibleTown, .label = "Responsible Person: Town / City / District"},
    {.role = R::ResponsibleState, .label = "Responsible Person: State", .choice = Choice::State},
    {.role = R::ResponsiblePin, .label = "Responsible Person: PIN Code", .kind = Kind::Whole},
    {.role = R::ResponsibleStdCode, .label = "Responsible Person: STD Code"},
    {.role = R::ResponsibleTelephone, .label = "Responsible Person: Telephone No."},
    {.role = R::ResponsibleEmail, .label = "Responsible Person: E-mail"},
    kAssessmentYear,
    kFinancialYear,
    kNilChallanDate,
    {.role = R::Quarter, .label = "Quarter (Q1-Q4)", .choice = Choice::Quarter},
    {.role = R::TotalPaid, .label = "Total Amount Paid (Rs.)", .kind = Kind::Amount,
     .note = kFilled},
    {.role = R::TotalTax, .label = "Total Tax Deducted (Rs.)", .kind = Kind::Amount,
     .note = kFilled},
    {.role = R::ChallanTotal, .label = "Total of Challans (Rs.)", .kind = Kind::Amount,
     .note = kFilled},
    {.role = R::ChallanCount, .label = "Number of Challans", .kind = Kind::Whole, .note = kFilled},
    {.role = R::DeducteeCount, .label = "Number of Deductee Records", .kind = Kind::Whole,
     .note = kFilled},
    {.role = R::ReturnType, .label = "Regular / Correction (R/C)", .choice = Choice::ReturnType},
    {.role = R::PreparationDate, .label = "Date of Preparation", .kind = Kind::Date,
     .note = "dd/mm/yyyy"},
    {.role = R::Place, .label = "Place"},
    {.role = R::VerifierName, .label = "Name of the Person Verifying"},
    {.role = R::VerifierDesignation, .label = "Designation of the Person Verifying"},
    {.role = R::Remarks, .label = "Remarks"},
}};
// clang-format on

consteval Rows salary_deductor() {
  Rows rows = kDeductor;
  rows[29] = {.role = R::ResponsibleAddressChanged,
              .label = "Responsible Person's Address Changed (Y/N)",
              .choice = Choice::YesNo};
  rows[30] = kFinancialYear;
  return rows;
}

consteval Rows collector() {
  Rows rows = kDeductor;
  rows[0].label = "TAN of the Collector";
  rows[1].label = "PAN of the Collector";
  rows[2].label = "Name of the Collector";
  rows[15].label = "Collector Category";
  rows[28] = kFinancialYear;
  rows[29] = kAssessmentYear;
  rows[33].label = "Total Tax Collected (Rs.)";
  rows[36].label = "Number of Collectee Records";
  return rows;
}

inline constexpr Rows kSalaryDeductor = salary_deductor();
inline constexpr Rows kCollector = collector();

}  // namespace fenwarx::deductor_rows
