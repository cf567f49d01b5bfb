// Checks of codes and names: blanks, fixed lengths, bank codes, PANs and their
// references. A failing step is passed on to the caller, except in checkBankCode.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "checks/code_shapes.hpp"
#include "checks/error_marker.hpp"
#include "checks/validators.hpp"
#include "layout/code_lists.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/values/utf8.hpp"
#include "state/message_texts.hpp"
#include "state/return_object.hpp"

namespace fenwarx {
namespace {

std::size_t length(std::string_view text) { return character_count(text); }

void check_length(ReturnObject& self, double r, double c, double expected, Rule rule) {
  const std::string t = without_blanks(trimmed(self.GetCellText(r, c)));
  self.last.text = t;
  if (!t.empty() && static_cast<double>(length(t)) != expected) MarkCell(self, r, c, true, rule);
}

}  // namespace

void CheckBlank(ReturnObject& self, double r, double c) {
  if (trimmed(self.GetCellText(r, c)).empty()) MarkCell(self, r, c, true, Rule::Required);
}

void CheckPin6(ReturnObject& self, double r, double c) { check_length(self, r, c, 6, Rule::Pin); }

void CheckLegth(ReturnObject& self, double r, double c, double checkLength) {
  check_length(self, r, c, checkLength, Rule::Length);
}

void checkBankCode(ReturnObject& self, double& r, double& c) {
  try {
    self.last.text = trimmed(self.GetCellText(r, c));
    if (length(self.last.text) > 7) MarkCell(self, r, c, true, Rule::BankCode);
  } catch (const RuntimeError& e) {
    self.ui().MsgBox(texts::procedure_failure("checkBankCode", e.description()));
  }
}

void CheckPan10(ReturnObject& self, double r, double c) {
  const std::string t = to_upper(without_blanks(trimmed(self.GetCellText(r, c))));
  self.last.text = t;
  if (t.empty()) {
    self.PutCellText(r, c, kPanNotAvailable);
    return;
  }
  const bool valid = is_reserved_pan(t) || has_shape(t, kPanShape);
  if (!valid) MarkCell(self, r, c, true, Rule::Pan);
  self.PutCellText(r, c, t);
}

// A reference stands only beside a missing PAN.
void CheckPanRef(ReturnObject& self, double r, double c) {
  self.last.text = without_blanks(trimmed(self.GetCellText(r, c)));
  const int pan_column = self.layout().deductees.columns.of(DeducteeColumn::Pan);
  if (to_upper(trimmed(self.GetCellText(r, pan_column))) == kPanNotAvailable) {
    if (length(to_upper(trimmed(self.GetCellText(r, c)))) > 10)
      MarkCell(self, r, c, true, Rule::PanReference);
  } else {
    self.PutCellText(r, c, "");
  }
}

}  // namespace fenwarx
