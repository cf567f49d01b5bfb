#pragma once
// The checks the sheet walks run beside the shared field validators. Each acts on
// the current sheet and reports a bad cell through MarkCell; what a failing
// spreadsheet step does is said per check.
#include <unordered_set>

namespace fenwarx {

class ReturnObject;

// --- shared by the challan and deductee sheets (failures ignored) ---
// Clears the mark, then tests the cell against the section codes of the form.
void CheckSectionCode(ReturnObject& self, double r, double c);

// --- deductee sheet ---
void CheckDeducteeCode(ReturnObject& self, double r, double c);  // a number 1 to 2; ignored
void CheckYesNo(ReturnObject& self, double r, double c);         // never marks; ignored
void CheckYesNoStrict(ReturnObject& self, double r, double c);   // exact "Y"/"N"; ignored
void CheckAorB(ReturnObject& self, double r, double c);          // never marks; ignored
// The amount paid is not below the tax deducted. `strict` converts both as numbers
// (an empty or non-numeric text fails, and the failure is passed on).
void CheckAmountCoversTax(ReturnObject& self, double r, int amount_column, int tax_column,
                          int marked_column, bool strict);
// Rate or tax of the row is 0, both converted as numbers; failures passed on.
bool IsRateOrTaxNil(ReturnObject& self, double r);
// The serials of the challans the challan check stored (their leading numbers).
using ChallanSerials = std::unordered_set<double>;
ChallanSerials challan_serials(const ReturnObject& self);
// True when the cell's leading number is one of `serials`; failures passed on.
bool CheckChallanSerial(ReturnObject& self, double r, double c, const ChallanSerials& serials);

// --- challan sheet ---
// Writes the sum of columns first..last; marks a zero total when the column
// `beside` holds something (the section code; Form 24's first amount).
void FillChallanTotal(ReturnObject& self, double r, double c, int first, int last, int beside);
void checkChallanDate(ReturnObject& self, double r, double c);  // own message
void CheckYesNoFlag(ReturnObject& self, double r, double c);
void CheckAgainstChallanTotal(ReturnObject& self, double r, double c, int total_column);
struct BookEntryColumns {
  int flag, voucher, transfer;
};
// A book entry of a government deductor needs a transfer number and no voucher;
// any other challan keeps a voucher of at most 5 characters and no transfer.
void CheckBookEntry(ReturnObject& self, double r, double c, BookEntryColumns columns);
void CheckMinorHead(ReturnObject& self, double r, double c);  // A to I

// --- deductor sheet ---
void checkTan10(ReturnObject& self, double r, double c);             // own message
void CheckDeductorPan(ReturnObject& self, double r, double c);       // failures ignored
void CheckStateName(ReturnObject& self, double r, double c);         // passed on
void checkRegularOrRevised(ReturnObject& self, double r, double c);  // own message

}  // namespace fenwarx
