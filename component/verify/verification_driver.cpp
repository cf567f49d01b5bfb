#include <string>

#include "state/message_texts.hpp"
#include "state/return_object.hpp"
#include "verify/verification.hpp"

namespace fenwarx {

void VerifyData_Vantor_ETDS(ReturnObject& self, const std::shared_ptr<Workbook>& excel) {
  self.bind(excel);
  const CellPlace year = self.layout().deductor_cell(DeductorRow::FinancialYear);
  self.financial_year = self.deductor_sheet->Cells(year.row, year.column).ValueText().substr(0, 4);
  if (self.financial_year.empty()) {
    self.ui().MsgBox(Message::plain(std::string(texts::kSelectYear)));
    self.notes.push_back(
        texts::empty_year_cell(self.layout().deductor.name, year.row, year.column));
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
    const CellPlace flag = self.layout().deductor.flag;
    self.PutCellText(flag.row, flag.column, texts::kFlagError);
    self.ui().MsgBox(Message::information(texts::errors_found(self.error_count)));
  } else {
    self.ui().MsgBox(
        Message::information(std::string(texts::kNoError), std::string(texts::kVerifiedTitle)));
  }
}

}  // namespace fenwarx
