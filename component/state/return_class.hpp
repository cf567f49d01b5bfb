#pragma once
// The four return classes: their names, which members each has, and the few
// rules in which their checks really differ. Where a field stands is the
// workbook layout's business (layout/workbook_layout.hpp), not theirs.
#include <string_view>

#include "layout/forms.hpp"

namespace fenwarx {

// How the section code of a challan or deductee row is compared with the codes
// of the form: as typed (a padded code fails), trimmed, or with an empty cell
// given the form's one code.
enum class SectionCodeRule : unsigned char { AsTyped, Trimmed, FilledWhenEmpty };

struct ReturnClass {
  Form form;
  std::string_view class_name;  // "clsExport26"
  std::string_view prog_id;     // "Fenwarx.clsExport26"
  bool has_verify_salary;       // verifySalary: Form 24 only
  bool has_roundoff;            // CheckAmountroundoff: not on Form 24
  // CheckRateAmountNill: absent on Form 24; Form 26 checks a nil rate only, Forms
  // 27 and 27EQ check both ways and zero the row's challan serial.
  bool has_rate_nil;
  bool rate_nil_two_way;
  bool regular_flag_per_thread;  // Forms 27 and 27EQ keep it per thread
  SectionCodeRule section_code_rule;
  bool flags_empty_first_challan_row;  // Form 26: "Delete This Row"
  bool reserved_deductor_pans;         // Form 24 admits every reserved word as the deductor's PAN
};

const ReturnClass& return_class(Form form);
// By programmatic identifier ("Fenwarx.clsExport26"), class name ("clsExport26") or
// form name ("26"), ignoring ASCII case; null when none matches.
const ReturnClass* find_return_class(std::string_view name);

}  // namespace fenwarx
