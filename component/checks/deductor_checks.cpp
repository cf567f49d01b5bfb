// Checks of the deductor sheet: its TAN and PAN, the state names and the return
// type that sets the regular flag.
#include <algorithm>
#include <string>
#include <vector>

#include "checks/code_shapes.hpp"
#include "checks/error_marker.hpp"
#include "checks/ignored_step.hpp"
#include "checks/validators.hpp"
#include "checks/walk_checks.hpp"
#include "layout/code_lists.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/values/utf8.hpp"
#include "state/message_texts.hpp"
#include "state/return_object.hpp"

namespace fenwarx {
namespace {

// A TAN or PAN as typed, with blanks and hyphens gone and in upper case.
std::string normalised_code(ReturnObject& self, double r, double c) {
  self.last.text = to_upper(without(trimmed(without_blanks(trimmed(self.GetCellText(r, c)))), '-'));
  return self.last.text;
}

// Words that stand for a deductor's missing PAN: PANNOTREQD, and on Form 24 every
// reserved word.
bool reserved_pan(const ReturnClass& kind, std::string_view pan) {
  if (pan.empty() || pan == kPanNotRequired) return true;
  return kind.reserved_deductor_pans && is_reserved_pan(pan);
}

}  // namespace

void checkTan10(ReturnObject& self, double r, double c) {
  try {
    const std::string tan = normalised_code(self, r, c);
    if (character_count(tan) != kTanShape.size()) {
      MarkCell(self, r, c, true, Rule::Tan);
      return;
    }
    if (!has_shape(tan, kTanShape)) MarkCell(self, r, c, true, Rule::Tan);
    self.PutCellText(r, c, tan);
  } catch (const RuntimeError& e) {
    self.ui().MsgBox(texts::procedure_failure("checkTan10", e.description()));
  }
}

// Only category "O" needs a ten-character PAN; for the others a PAN of another
// length passes and only a ten-character one is tested character by character.
void CheckDeductorPan(ReturnObject& self, double r, double c) {
  std::string category;
  ignoring_failure([&] {
    const CellPlace place = self.layout().deductor_cell(DeductorRow::Category);
    category = to_upper(trimmed(self.cell(place.row, place.column).ValueText()));
  });
  std::string pan;
  ignoring_failure([&] { pan = normalised_code(self, r, c); });
  ignoring_failure([&] {
    if (reserved_pan(self.return_class(), pan)) return;
    const bool marked =
        character_count(pan) == kPanShape.size() ? !has_shape(pan, kPanShape) : category == "O";
    if (marked) MarkCell(self, r, c, true, Rule::Pan);
  });
  ignoring_failure([&] { self.PutCellText(r, c, pan); });
}

void CheckStateName(ReturnObject& self, double r, double c) {
  const std::string state = trimmed(self.GetCellText(r, c));
  if (std::find(kStateNames.begin(), kStateNames.end(), state) == kStateNames.end())
    MarkCell(self, r, c, true, Rule::State);
}

void checkRegularOrRevised(ReturnObject& self, double r, double c) {
  try {
    const std::string type = to_upper(trimmed(self.GetCellText(r, c)));
    self.PutCellText(r, c, type == "R" || type == "C" ? type : "R");
    self.regular_flag() = to_upper(trimmed(self.cell(r, c).ValueText())) == "R";
  } catch (const RuntimeError& e) {
    self.ui().MsgBox(texts::procedure_failure("checkRegularOrRevised", e.description()));
  }
}

}  // namespace fenwarx
