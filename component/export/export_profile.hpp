#pragma once
// What the return file of each form writes differently, and the module
// functions of the export: the field separator, the maps from the workbook's
// section codes to the file's, and the state codes of the workbook.
#include <optional>
#include <string>
#include <string_view>

#include "layout/forms.hpp"
#include "platform/spreadsheet/spreadsheet.hpp"

namespace fenwarx {

// What becomes of the deductees that name no challan of the return.
enum class NilChallans : unsigned char {
  // Those at a zero rate go under a nil challan of their section, the others are
  // left out; a file without a challan holds the nil-return line.
  PerSection,
  // All are left out; a return without deposits or deductees states one nil
  // challan, of the nil-return section.
  NilReturnOnly,
};

struct ExportProfile {
  Form form;
  std::string_view file_name;  // "eTDS26.txt"
  std::string_view file_type;  // FH field 3: "NS1", "TC1", "SL1"
  std::string_view form_code;  // BH field 5: "26Q"
  NilChallans nil_challans;
  // The section of the nil-return line (its field 21: "193", "E"), or of Form 24's
  // one nil challan.
  std::string_view nil_return_section;
  std::string_view success_before;  // the success message around the file's path
  std::string_view success_after;
  // CD field 21 of a real and of a nil challan, for the record tables that map a
  // section (Form 24's tell the code by the deductor's category).
  std::string (*challan_section)(std::string_view);
  std::string (*nil_section)(std::string_view);
};
const ExportProfile& export_profile(Form form);

// The form whose records a file of this type holds; Form 27 writes the records of
// Form 26, so "NS1" is Form 26.
std::optional<Form> form_of_file_type(std::string_view file_type);
// A file type one form writes, and a form code that goes with it.
bool is_file_type(std::string_view file_type);
bool is_form_code(std::string_view form_code);
bool form_code_matches(std::string_view file_type, std::string_view form_code);

std::string FieldSeparator();                                     // "^"
std::string MapSectionCode(std::string_view section);             // Form 26
std::string MapNonResidentSectionCode(std::string_view section);  // Form 27
std::string MapCollectionCode(std::string_view section);          // Form 27EQ
// The code of a state from the workbook's "State Code" sheet; "" when none.
std::string GetStateCode(std::string_view name, Workbook& workbook);

}  // namespace fenwarx
