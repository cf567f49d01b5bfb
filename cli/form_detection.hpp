#pragma once
// Which return form a workbook holds, from what its sheets show.
#include "platform/spreadsheet/spreadsheet.hpp"
#include "returns/form_profile.hpp"

namespace fenwarx::cli {

// A "Collector Details" sheet is Form 27EQ, a "Salary Details" sheet Form 24;
// otherwise the first challan row whose section code one form alone admits
// decides between 26 and 27, or else the first such deductee row. Null when
// nothing tells.
const FormProfile* detect_form(Workbook& workbook);

}  // namespace fenwarx::cli
