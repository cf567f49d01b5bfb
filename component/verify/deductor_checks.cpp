// Checks of the deductor sheet: its TAN and PAN, the state names and the return
// type that sets the regular flag.
#include <algorithm>
#include <string>
#include <vector>

#include "checks/ignored_step.hpp"
#include "checks/validators.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/values/utf8.hpp"
#include "returns/return_codes.hpp"
#include "returns/return_object.hpp"
#include "verify/mark_cell.hpp"
#include "verify/walk_checks.hpp"

namespace fenwarx {
namespace {

constexpr int kCategoryRow = 16;

// A TAN or PAN as typed, with blanks and hyphens gone and in upper case.
std::string normalised_code(ReturnObject& self, double r, double c) {
  self.last_text = to_upper(without(trimmed(without_blanks(trimmed(self.GetCellText(r, c)))), '-'));
  return self.last_text;
}

// Letters where `letters` says so, digits elsewhere; false at the first miss.
bool matches(const std::vector<std::string_view>& chars, std::size_t first_digit,
             std::size_t last_digit) {
  for (std::size_t i = 0; i < chars.size(); ++i) {
    const bool digit = i >= first_digit && i <= last_digit;
    if (!(digit ? IsDigitChar(chars[i]) : IsLetterChar(chars[i]))) return false;
  }
  return true;
}

// PAN texts that stand for a missing PAN; Form 24 admits three more.
bool reserved_pan(Form form, std::string_view pan) {
  if (pan.empty() || pan == "PANNOTREQD") return true;
  return form == Form::F24 && (pan == "PANNOTAVBL" || pan == "PANINVALID" || pan == "PANAPPLIED");
}

}  // namespace

void checkTan10(ReturnObject& self, double r, double c) {
  try {
    const std::string tan = normalised_code(self, r, c);
    const std::vector<std::string_view> chars = characters(tan);
    if (chars.size() != 10) {
      MarkCell(self, r, c, true);
      return;
    }
    if (!matches(chars, 4, 8)) MarkCell(self, r, c, true);
    self.PutCellText(r, c, tan);
  } catch (const RuntimeError& e) {
    self.ui().MsgBox({"checkTan10" + e.description(), "", msg_style::kPlain});
  }
}

// Only category "O" needs a ten-character PAN; for the others a PAN of another
// length passes and only a ten-character one is tested character by character.
void CheckDeductorPan(ReturnObject& self, double r, double c) {
  std::string category;
  ignoring_failure([&] { category = to_upper(trimmed(self.cell(kCategoryRow, 2).Value().to_text())); });
  std::string pan;
  ignoring_failure([&] { pan = normalised_code(self, r, c); });
  ignoring_failure([&] {
    if (reserved_pan(self.profile().form, pan)) return;
    const std::vector<std::string_view> chars = characters(pan);
    if (chars.size() == 10 ? !matches(chars, 5, 8) : category == "O") MarkCell(self, r, c, true);
  });
  ignoring_failure([&] { self.PutCellText(r, c, pan); });
}

void CheckStateName(ReturnObject& self, double r, double c) {
  const std::string state = trimmed(self.GetCellText(r, c));
  if (std::find(kStateNames.begin(), kStateNames.end(), state) == kStateNames.end())
    MarkCell(self, r, c, true);
}

void checkRegularOrRevised(ReturnObject& self, double r, double c) {
  try {
    const std::string type = to_upper(trimmed(self.GetCellText(r, c)));
    self.PutCellText(r, c, type == "R" || type == "C" ? type : "R");
    self.regular_flag() = to_upper(trimmed(self.cell(r, c).Value().to_text())) == "R";
  } catch (const RuntimeError& e) {
    self.ui().MsgBox({"checkRegularOrRevised" + e.description(), "", msg_style::kPlain});
  }
}

}  // namespace fenwarx
