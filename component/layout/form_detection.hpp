#pragma once
// Which return form a workbook holds, from what its sheets show.
#include <optional>

#include "layout/forms.hpp"
#include "platform/spreadsheet/spreadsheet.hpp"

namespace fenwarx {

// A collector sheet is Form 27EQ, a salary sheet Form 24; otherwise the first
// challan row whose section code one form alone admits decides between 26 and
// 27, or else the first such deductee row. Nothing when nothing tells.
std::optional<Form> detect_form(Workbook& workbook);

}  // namespace fenwarx
