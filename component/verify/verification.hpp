#pragma once
// The verification run and the sheet walks it drives.
#include <memory>

#include "platform/spreadsheet/spreadsheet.hpp"

namespace fenwarx {

class ReturnObject;

// Binds, reads the financial year, runs the walks and reports the outcome in a
// message box. No handler of its own: failures reach the caller.
void VerifyData_Vantor_ETDS(ReturnObject& self, const std::shared_ptr<Workbook>& excel);
// The closing step of a run: the "Error" flag and the message for the errors
// counted, or the message of a clean run.
void finish_verification(ReturnObject& self);

// The walks of the sheets. The challan check is public; the deductee walk ends
// with the deductor walk.
void Verify_Challan(ReturnObject& self);
// After a challan check and a deductee walk that normalised the deductee rows:
// what a second challan check would change, the columns it fills from the
// deductee rows and the checks against them, with their record fields. Its other
// steps would leave the challan rows as the first check left them.
void RetallyChallans(ReturnObject& self);
void VerifyDeducteeDetails(ReturnObject& self);
// After a deductee walk that normalised cells: what a second walk over them would
// keep, taken from the cells as they now stand without checking them again. Only
// the record fields and totals the walk took before a later step rewrote their
// cell can differ; the rest stay as the walk left them.
void RetakeDeducteeDetails(ReturnObject& self);
void VerifyDeductorDetails(ReturnObject& self);

// Form 24: the challan check, then the salary and perquisite sheets of
// `excelApp`, checked and their derived columns filled. It rests on the workbook
// and the financial year an earlier verification or export left on the object,
// and fails before changing anything when either is missing. Shows no message of
// its own; failures reach the caller.
void verifySalary(ReturnObject& self, const std::shared_ptr<Workbook>& excelApp);

}  // namespace fenwarx
