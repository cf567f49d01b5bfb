#include "verify/verification.hpp"

#include <string>

#include "platform/values/numbers.hpp"
#include "returns/return_object.hpp"

namespace fenwarx {

void VerifyData_Vantor_ETDS(ReturnObject& self, const std::shared_ptr<Workbook>& excel) {
  self.bind(excel);
  self.financial_year =
      self.deductor_sheet->Cells(self.profile().financial_year_row, 2).Value().to_text().substr(0, 4);
  if (self.financial_year.empty()) {
    self.ui().MsgBox({"Select year Once Again !", "", msg_style::kPlain});
    return;
  }
  self.error_count = 0;
  Verify_Challan(self);
  VerifyDeducteeDetails(self);  // ends with the deductor walk
  finish_verification(self);
}

void finish_verification(ReturnObject& self) {
  if (self.error_count > 0) {
    self.current_sheet = self.deductor_sheet;
    self.PutCellText(100, 101, "Error");
    self.ui().MsgBox({"This sheet contains " + number_text(self.error_count) + " errors(s).", "",
                      msg_style::kInformation});
  } else {
    self.ui().MsgBox({"No error.", " Verificaton Sucess ! ", msg_style::kInformation});
  }
}

}  // namespace fenwarx
