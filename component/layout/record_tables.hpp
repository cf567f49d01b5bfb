#pragma once
// The records of the return file as tables: for every record kind and form, each
// field's number, where its text comes from, how it is written and what the
// checker demands of it. The writer, the checker and the locator of findings all
// read these tables; a field is declared nowhere else.
#include <span>
#include <string_view>
#include <variant>

#include "layout/forms.hpp"
#include "layout/roles.hpp"

namespace fenwarx {

enum class RecordKind : unsigned char {
  FileHeader,   // FH, line 1
  BatchHeader,  // BH, line 2
  Challan,      // CD of a challan of the challan sheet
  NilChallan,   // CD of the zero-rate deductees of one section
  NilReturn,    // the one CD of a return without challans
  Deductee,     // DD
};

// Where a field's text comes from.
namespace source {
struct Constant {
  std::string_view text;
};
struct LineNumber {};
struct ChallanSerial {};     // the challan's place among the CD records
struct DeducteeSerial {};    // the deductee's place under its challan
struct ChallanCount {};      // the CD records of the file
struct NilDeducteeCount {};  // the DD records under a nil challan
struct FileType {};          // of the form: "NS1", "TC1", "SL1"
struct FormCode {};          // of the form: "26Q" ...
struct ReturnType {};        // "R" for a regular return, else "C"
struct Today {};
struct AssessmentYear {};  // F + 1 and the last two digits of F + 2
struct FinancialYear {};   // F and the last two digits of F + 1
struct QuarterEnd {};      // the last day of the return's quarter
struct DepositTotal {};    // the challans' total deposit, rounded
struct Deductor {          // a deductor row's value
  DeductorRow row;
  bool trimmed = true;
};
struct StateCode {  // the code of the state a deductor row names
  DeductorRow row;
};
struct Challan {  // a field of the challan record
  ChallanColumn column;
};
// The challan's cheque number: 0 for a cash challan without one, and only its
// leading number unless the transfer voucher (an earlier field) is given.
struct Cheque {
  int transfer_field;
};
struct Deductee {  // a field of the deductee record
  DeducteeColumn column;
};
struct NilSection {};        // the section of a nil challan's deductees
struct NilReturnSection {};  // of the form
// A code told by the deductor's category: `matched` when the category is
// `category` (compared as held, or trimmed and in upper case), else `other`.
struct ByCategory {
  std::string_view category;
  bool as_held = false;
  std::string_view matched;
  std::string_view other;
};
}  // namespace source

using FieldSource =
    std::variant<source::Constant, source::LineNumber, source::ChallanSerial,
                 source::DeducteeSerial, source::ChallanCount, source::NilDeducteeCount,
                 source::FileType, source::FormCode, source::ReturnType, source::Today,
                 source::AssessmentYear, source::FinancialYear, source::QuarterEnd,
                 source::DepositTotal, source::Deductor, source::StateCode, source::Challan,
                 source::Cheque, source::Deductee, source::NilSection, source::NilReturnSection,
                 source::ByCategory>;

// How the writer turns the source's text into the field.
enum class Format : unsigned char {
  AsHeld,
  Trimmed,
  WholeNumber,     // a count held as text: its leading number, rounded
  Amount,          // two decimals when the text is a number, else as it stands
  StrictAmount,    // two decimals; a text that is no number is a type mismatch
  LeadingAmount,   // its leading number (0 when it has none), two decimals
  AmountOrZero,    // as Amount, "0.00" for an empty text
  Rate,            // four decimals when the text is a number
  Date,            // ddMMyyyy when the text is a date, else without "/", "\" and "-"
  HashedDate,      // as Date, after dropping the "#" a date may be typed between
  ZeroPadded,      // zeros in front up to the field's width; nothing for an empty text
  SectionCode,     // the form's code for the challan's section; empty when it has none
  NilSectionCode,  // the form's code for a nil challan's section, trimmed
};

// What the checker demands of a field, beyond the record's shape.
enum class Check : unsigned char {
  None,
  LineNumber,      // the line's number in the file
  BatchNumber,     // "1"
  BatchCount,      // a whole number: the BH records of the file
  FileType,        // one the forms write
  FormCode,        // one the forms write, matching the file type
  Count,           // a whole number, when given or required
  ChallanCount,    // a whole number: the CD records of the file
  ChallanSerial,   // a whole number: the CD's place, or the DD's challan's
  DeducteeCount,   // a whole number: the DD records under this CD
  DeducteeSerial,  // a whole number: the DD's place under its CD
  NilIndicator,    // "N", or "Y" for nil challans after every regular one
  Amount,
  DepositTotal,  // an amount: the CD totals, rounded to rupees
  Rate,
  Date,
  Pan,
  Tan,
  AssessmentYear,
  FinancialYear,
};

// Fields `first` to `last` of the same record, which the field must add up to.
struct FieldRange {
  int first = 0;
  int last = 0;
};

struct ReturnField {
  int number;
  FieldSource source;
  Format format = Format::AsHeld;
  // The most characters the field may hold (0: not limited here); a ZeroPadded
  // field is filled up to it.
  int max_length = 0;
  Check check = Check::None;
  bool required = false;        // an empty field is a finding
  std::string_view name = {};   // what a finding calls the field
  FieldRange sum_of = {};       // the field is the sum of these fields
  int sums_deductee_field = 0;  // the field states the sum of this DD field under the CD
};

struct RecordTable {
  RecordKind kind;
  std::string_view type;  // field 2: "FH", "BH", "CD", "DD"
  int field_count;
  std::span<const ReturnField> fields;  // in ascending numbers; fields not listed are empty

  // The field of that number; null when the table leaves it empty.
  const ReturnField* field(int number) const;

  // The number of the first field whose source is a Source that `matches`; 0
  // when there is none.
  template <class Source, class Matches>
  int field_from(Matches matches) const {
    for (const ReturnField& f : fields)
      if (const auto* s = std::get_if<Source>(&f.source); s && matches(*s)) return f.number;
    return 0;
  }
  int deductor_field(DeductorRow row) const {
    return field_from<source::Deductor>([row](const source::Deductor& s) { return s.row == row; });
  }
  int challan_field(ChallanColumn column) const {
    return field_from<source::Challan>(
        [column](const source::Challan& s) { return s.column == column; });
  }
  int deductee_field(DeducteeColumn column) const {
    return field_from<source::Deductee>(
        [column](const source::Deductee& s) { return s.column == column; });
  }
  // The number of the first field the checker judges by `check`; 0 for none.
  int checked_field(Check check) const {
    for (const ReturnField& f : fields)
      if (f.check == check) return f.number;
    return 0;
  }
};

const RecordTable& record_table(Form form, RecordKind kind);

}  // namespace fenwarx
