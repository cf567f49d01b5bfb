#include "templates/layout_fields.hpp"

namespace fenwarx::templates {
namespace {

constexpr std::string_view kFilled = "Filled in by the verification";
constexpr std::string_view kDayFirst = "dd/mm/yyyy";

// Rows 29 to 31 hold the financial year at the form's row; Forms 26, 27 and
// 27EQ date their nil challans from row 31.
constexpr Field kFinancialYear{"Financial Year", Kind::Year, Choice::None, 36, "Typed like 2005-06"};
constexpr Field kAssessmentYear{"Assessment Year", Kind::Year, Choice::None, 36,
                                "Typed like 2006-07"};
constexpr Field kNilChallanDate{"Date of Nil Challans", Kind::Date, Choice::None, 36,
                                "dd/mm/yyyy: dates the challans of nil-rate rows"};

}  // namespace

std::array<Field, kDeductorRows> deductor_fields(Form form) {
  std::array<Field, kDeductorRows> rows{{
      {"TAN of the Deductor"},
      {"PAN of the Deductor"},
      {"Name of the Deductor"},
      {"Branch / Division"},
      {"Flat / Door / Block No."},
      {"Name of Premises / Building"},
      {"Road / Street / Lane"},
      {"Area / Locality"},
      {"Town / City / District"},
      {"State", Kind::Text, Choice::State},
      {"PIN Code", Kind::Whole},
      {"STD Code"},
      {"Telephone No."},
      {"E-mail"},
      {"Address Changed since Last Return (Y/N)", Kind::Text, Choice::YesNo},
      {"Deductor Category", Kind::Text, Choice::Category},
      {"Name of the Person Responsible"},
      {"Designation of the Person Responsible"},
      {"Responsible Person: Flat / Door / Block No."},
      {"Responsible Person: Name of Premises / Building"},
      {"Responsible Person: Road / Street / Lane"},
      {"Responsible Person: Area / Locality"},
      {"Responsible Person: Town / City / District"},
      {"Responsible Person: State", Kind::Text, Choice::State},
      {"Responsible Person: PIN Code", Kind::Whole},
      {"Responsible Person: STD Code"},
      {"Responsible Person: Telephone No."},
      {"Responsible Person: E-mail"},
      kAssessmentYear,
      kFinancialYear,
      kNilChallanDate,
      {"Quarter (Q1-Q4)", Kind::Text, Choice::Quarter},
      {"Total Amount Paid (Rs.)", Kind::Amount, Choice::None, 14, kFilled},
      {"Total Tax Deducted (Rs.)", Kind::Amount, Choice::None, 14, kFilled},
      {"Total of Challans (Rs.)", Kind::Amount, Choice::None, 14, kFilled},
      {"Number of Challans", Kind::Whole, Choice::None, 14, kFilled},
      {"Number of Deductee Records", Kind::Whole, Choice::None, 14, kFilled},
      {"Regular / Correction (R/C)", Kind::Text, Choice::ReturnType},
      {"Date of Preparation", Kind::Date, Choice::None, 14, kDayFirst},
      {"Place"},
      {"Name of the Person Verifying"},
      {"Designation of the Person Verifying"},
      {"Remarks"},
  }};
  switch (form) {
    case Form::F24:
      rows[28] = kAssessmentYear;
      rows[29] = {"Responsible Person's Address Changed (Y/N)", Kind::Text, Choice::YesNo};
      rows[30] = kFinancialYear;
      break;
    case Form::F27EQ:
      rows[0].heading = "TAN of the Collector";
      rows[1].heading = "PAN of the Collector";
      rows[2].heading = "Name of the Collector";
      rows[15].heading = "Collector Category";
      rows[28] = kFinancialYear;
      rows[29] = kAssessmentYear;
      rows[33].heading = "Total Tax Collected (Rs.)";
      rows[36].heading = "Number of Collectee Records";
      break;
    default: break;
  }
  return rows;
}

}  // namespace fenwarx::templates
