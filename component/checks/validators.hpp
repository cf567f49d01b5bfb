#pragma once
// The field validators: each checks one cell of the current sheet, may rewrite it
// in a normalised form, and reports a violation through MarkCell. A violation is
// never a failure; what a failing spreadsheet step does (ignored, passed on, own
// message) differs per validator, as each comment says.
#include "platform/spreadsheet/spreadsheet.hpp"

namespace fenwarx {

class ReturnObject;

void CheckBlank(ReturnObject& self, double r, double c);                            // passed on
void CheckPin6(ReturnObject& self, double r, double c);                             // passed on
void CheckLegth(ReturnObject& self, double r, double c, double checkLength);        // passed on
void checkBankCode(ReturnObject& self, double& r, double& c);                       // own message
void CheckPan10(ReturnObject& self, double r, double c);                            // passed on
void CheckPanRef(ReturnObject& self, double r, double c);                           // passed on
void ifValueIsZero(ReturnObject& self, double r, double c);                         // ignored
void CheckAmount(ReturnObject& self, double r, double c);                           // ignored
void CheckAmountroundoff(ReturnObject& self, double r, double c);                   // ignored
void CheckZ_B_Amount(ReturnObject& self, double r, double c);                       // ignored
void CheckAmountDigitAfterDicimal(ReturnObject& self, double r, double c);          // ignored
void CheckRateAmount(ReturnObject& self, double r, double c);                       // ignored
void CheckRateAmountNill(ReturnObject& self, double r);                             // passed on
void CheckDate(ReturnObject& self, double r, double c, bool& checkFin);             // own message
void CheckQuarterDate(ReturnObject& self, double r, double c, Workbook& excelApp);  // ignored
void CheckDateQuarter(ReturnObject& self, double r, double c, bool& checkFin);      // passed on

}  // namespace fenwarx
