#pragma once
// The return file: written by the export from what a verification leaves in the
// return object, and handed to the validator.
#include <filesystem>
#include <memory>

#include "platform/spreadsheet/spreadsheet.hpp"

namespace fenwarx {

class ReturnObject;

// Where the export of this object's form writes: the output folder and the
// form's file name ("eTDS26.txt"), made absolute.
std::filesystem::path return_file_path(const ReturnObject& self);

// Verifies silently, and with no error found writes the return file (complete or
// not at all) and says where; the object's export outcome says what it wrote.
void ExportETDS_Vantor(ReturnObject& self, const std::shared_ptr<Workbook>& excel);
// The export's verification alone: silent, its records those the return file
// would carry; the error count says whether the export would go on.
void verify_for_export(ReturnObject& self, const std::shared_ptr<Workbook>& excel);
// The export after a verification that found no error: the return file written
// from what the walks left in the object (its records and totals, the bound
// deductor sheet), or the message that a deduction names no deposit.
void write_return_file(ReturnObject& self);

// Runs the validator command with the return file's path as its last argument,
// waits for it and keeps its exit status in validator_status. RuntimeError 53
// when there is no validator command, or no return file (the description names it).
void Validation_ReturnFile(ReturnObject& self);

}  // namespace fenwarx
