#pragma once
// What the challan check and the deductee walk do in each column, per form, as
// tables of steps: one walk reads them. A column's steps run in table order, so
// where a form stores a field before checking it (or after), its table says so.
// Columns are named by role; the form's workbook layout places them.
#include <optional>
#include <span>
#include <variant>
#include <vector>

#include "layout/forms.hpp"
#include "layout/roles.hpp"

namespace fenwarx {

namespace challan_step {
struct UniqueSerial {};  // no earlier challan has the same serial number
struct SectionCode {};
struct AmountRoundoff {};
struct Amount {};
// The cell <- the sum of the columns first to last; a zero sum is marked when
// the column `beside` holds something.
struct FillTotal {
  ChallanColumn first, last, beside;
};
struct AddToTotal {};   // challan total += the cell
struct BankCode {};     // at most 7 characters
struct ChallanDate {};  // present and not after today
struct Date {};         // CheckDate
struct YesNoFlag {};
struct BookEntry {};
struct Count {};  // the cell <- the deductee rows naming this challan
struct Sum {      // the cell <- the sum of this deductee column over those rows
  DeducteeColumn of;
};
struct Copy {  // the cell <- the text of another column; the record keeps "0.00"
  ChallanColumn from;
};
struct AgainstTotal {};  // not above the total deposited
struct MinorHead {};
}  // namespace challan_step

using ChallanStep =
    std::variant<challan_step::UniqueSerial, challan_step::SectionCode,
                 challan_step::AmountRoundoff, challan_step::Amount, challan_step::FillTotal,
                 challan_step::AddToTotal, challan_step::BankCode, challan_step::ChallanDate,
                 challan_step::Date, challan_step::YesNoFlag, challan_step::BookEntry,
                 challan_step::Count, challan_step::Sum, challan_step::Copy,
                 challan_step::AgainstTotal, challan_step::MinorHead>;

struct ChallanAction {
  ChallanColumn column;
  ChallanStep step;
};

namespace deductee_step {
struct Store {};         // the record <- the cell's text
struct StoreCleaned {};  // the record <- the cell's text without control characters
struct CleanName {};     // the cell <- its text as a name
struct Clear {};         // the cell <- nothing
struct RoundWhole {};    // the cell <- its leading number, rounded (halves to even)
struct SectionCode {};
struct DeducteeCode {};
struct Pan10 {};
struct PanRef {};
struct Amount {};
struct YesNo {};
struct YesNoStrict {};
struct RateAmount {};
struct RateNil {};
struct AorB {};
struct BankCode {};
struct AddAmount {};  // amount paid total += the cell's leading number
struct AddTax {};     // tax deducted total += the cell's leading number
struct SumTax {       // the cell <- the three parts, added in this order
  DeducteeColumn first, second, third;
};
// The amount paid is not below the tax, else `marked` is; `strict` converts both
// as numbers (an empty or non-numeric text fails and the failure is passed on).
struct CoversTax {
  DeducteeColumn amount, tax, marked;
  bool strict = false;
};
// A tax without a date of deduction is marked; the date is cleared when the row
// is nil (its date, or with cleared_on_nil_tax its tax), else checked against
// the quarter.
struct DeductionDate {
  DeducteeColumn tax;
  bool cleared_on_nil_tax = false;
};
struct NilRateDate {};  // cleared when nil and rate or tax is nil, else a quarter date
// The challan serial must name a stored challan, unless the row is nil
// (skipped_when_nil) or its `exempting` column is 0.
struct ChallanSerial {
  std::optional<DeducteeColumn> exempting = {};
  bool skipped_when_nil = false;
};
struct Date {};  // CheckDate
}  // namespace deductee_step

using DeducteeStep =
    std::variant<deductee_step::Store, deductee_step::StoreCleaned, deductee_step::CleanName,
                 deductee_step::Clear, deductee_step::RoundWhole, deductee_step::SectionCode,
                 deductee_step::DeducteeCode, deductee_step::Pan10, deductee_step::PanRef,
                 deductee_step::Amount, deductee_step::YesNo, deductee_step::YesNoStrict,
                 deductee_step::RateAmount, deductee_step::RateNil, deductee_step::AorB,
                 deductee_step::BankCode, deductee_step::AddAmount, deductee_step::AddTax,
                 deductee_step::SumTax, deductee_step::CoversTax, deductee_step::DeductionDate,
                 deductee_step::NilRateDate, deductee_step::ChallanSerial, deductee_step::Date>;

struct DeducteeAction {
  DeducteeColumn column;
  DeducteeStep step;
};

// A form's steps as its walk runs them: each with the column number its role
// has in the form's layout, in ascending columns, table order within a column.
template <class Action>
struct PlacedAction {
  int column;
  const Action* action;
};

std::span<const PlacedAction<ChallanAction>> challan_actions(Form form);
std::span<const PlacedAction<DeducteeAction>> deductee_actions(Form form);

// The deductee columns whose text the walk of `form` keeps in the record.
bool deductee_column_stored(Form form, DeducteeColumn column);

// The steps of `form` that keep a record field or add to a total from a cell a
// later step of the walk may still rewrite: after a walk over cells it has
// normalised, only these take something else than the walk before them took.
// Both steps of a total are listed when one of them is.
std::span<const PlacedAction<DeducteeAction>> deductee_steps_taken_early(Form form);

}  // namespace fenwarx
