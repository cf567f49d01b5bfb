#pragma once
// What differs between the four return forms, as data. One core reads it; a form
// never gets a copy of the logic.
#include <string_view>

namespace fenwarx {

enum class Form { F24, F26, F27, F27EQ };

struct FormProfile {
  Form form;
  std::string_view name;             // "26", "27EQ": as --form takes it
  std::string_view class_name;       // "clsExport26"
  std::string_view prog_id;          // "Fenwarx.clsExport26"
  std::string_view deductor_sheet;   // "Deductor Details" / "Collector Details"
  std::string_view challan_sheet;    // "Challan Details"
  std::string_view deductee_sheet;   // "Deductee Details" / "Collectee Details"
  int financial_year_row;            // column 2 of the deductor sheet: 30, 31 (24), 29 (27EQ)
  std::string_view challan_progress;   // " Verifing Challan Details Row NO "
  std::string_view deductee_progress;  // " Verifing Deductee Details Row NO " / Collectee
  std::string_view deductor_progress;  // " Verifing Deductor Details Row NO " / Collector
  // CheckRateAmountNill: absent on Form 24; Form 26 checks a nil rate only; Forms
  // 27 and 27EQ check both ways and zero the challan serial.
  bool has_rate_nill;
  bool rate_nill_two_way;
  int nil_rate_column, nil_tax_column, nil_serial_column;
  bool has_verify_salary;  // Form 24 only
  bool has_roundoff;       // CheckAmountroundoff: not on Form 24
  bool module_regular_flag;  // Forms 27 and 27EQ keep the regular flag per thread
};

const FormProfile& profile_of(Form form);
// By programmatic identifier ("Fenwarx.clsExport26"), class name ("clsExport26") or
// form name ("26"), ignoring ASCII case; null when none matches.
const FormProfile* find_profile(std::string_view name);

}  // namespace fenwarx
