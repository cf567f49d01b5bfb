#pragma once
// The records of a return file: each field followed by "^", each line cleaned of
// tabs and line breaks and ended with CR LF. What differs between the forms is in
// ExportProfile; the builders take what the verification stored.
#include <string>
#include <string_view>

#include "platform/spreadsheet/spreadsheet.hpp"
#include "returns/form_profile.hpp"
#include "returns/return_object.hpp"

namespace fenwarx {

struct ExportProfile {
  std::string_view file_name;        // "eTDS26.txt"
  std::string_view file_type;        // FH field 3: "NS1", "TC1"
  std::string_view form_code;        // BH field 5: "26Q"
  std::string_view nil_return_section;  // the nil-return line's field 21: "193", "E"
  std::string_view success_before;   // the success message around the file's path
  std::string_view success_after;
  std::string (*challan_section)(std::string_view);  // CD field 21 of a real challan
  std::string (*nil_section)(std::string_view);      // CD field 21 of a nil challan
};
const ExportProfile& export_profile(Form form);

// The module functions of the export.
std::string FieldSeparator();  // "^"
std::string MapSectionCode(std::string_view section);             // Form 26
std::string MapNonResidentSectionCode(std::string_view section);  // Form 27
std::string MapCollectionCode(std::string_view section);          // Form 27EQ
// The code of a state from the workbook's "State Code" sheet; "" when none.
std::string GetStateCode(std::string_view name, Workbook& workbook);

// Field formats. An amount or rate that is no number is written as it stands, a
// date that is no date with "/", "\" and "-" removed; `strict` amounts fail instead.
std::string amount_field(std::string_view text);
std::string strict_amount_field(std::string_view text);  // RuntimeError 13 for no number
std::string rate_field(std::string_view text);
std::string date_field(std::string_view text);

// One record being built: fields appended in order, each with its separator.
class Record {
 public:
  Record& add(std::string_view field);
  Record& add(long long number);
  Record& empty(int count = 1);
  // The finished line: tabs and line breaks inside fields removed, characters the
  // single-byte file cannot hold as "?", then CR LF.
  std::string line() const;

 private:
  std::string text_;
};

// What the export read from the deductor sheet and the run's totals.
struct ReturnHeader {
  std::array<std::string, 44> rows;  // deductor rows 1 to 43, column 2, as held
  std::string financial_year;        // the four-digit first year F
  bool regular = true;
  double today = 0;                  // a date serial
  double challan_total = 0;
};

std::string fh_line(const ExportProfile& form, const ReturnHeader& header);
std::string bh_line(const ExportProfile& form, const ReturnHeader& header, long long challans,
                    Workbook& workbook);
// A real challan: record `challan` written as challan `serial` on line `line`.
std::string cd_line(ReturnObject& self, const ExportProfile& form, const ChallanRecord& challan,
                    long long line, long long serial);
std::string nil_cd_line(const ExportProfile& form, const ReturnHeader& header,
                        std::string_view section, long long line, long long serial,
                        long long deductees);
// The only challan line of a return without challans or nil deductees.
std::string nil_return_line(const ExportProfile& form, const ReturnHeader& header);
std::string dd_line(Form form, const DeducteeRecord& deductee, long long line, long long serial,
                    long long deductee_serial);

}  // namespace fenwarx
