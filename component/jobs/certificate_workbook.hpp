#pragma once
// A verified return laid out in the certificate layout, in memory, for the
// certificate run to read: what the certificate button's macros prepare.
#include <memory>

#include "platform/spreadsheet/memory_workbook.hpp"
#include "state/return_object.hpp"

namespace fenwarx::jobs {

// A copy of the bound deductor sheet's texts (its flag "Error" when the
// verification found errors), and a deductee sheet with one certificate row per
// deductee record from the first row on, unless errors were found. The workbook
// answers with `source`'s folder. RuntimeError 1004 naming the row when a record
// has no section code, which would end the certificate rows before it.
std::shared_ptr<MemoryWorkbook> certificate_workbook(ReturnObject& object, const Workbook& source);

}  // namespace fenwarx::jobs
