// Checks of codes and names: blanks, fixed lengths, bank codes, PANs and their
// references. A failing step is passed on to the caller, except in checkBankCode.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "checks/validators.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/values/utf8.hpp"
#include "returns/return_object.hpp"
#include "verify/mark_cell.hpp"

namespace fenwarx {
namespace {

std::size_t length(std::string_view text) { return character_count(text); }

bool is_reserved_pan(std::string_view t) {
  return t == "PANINVALID" || t == "PANNOTAVBL" || t == "PANAPPLIED" || t == "PANNOTREQD";
}

// Five letters, four digits, one letter; tested in order, stopping at the first miss.
bool is_pan_pattern(std::string_view t) {
  if (length(t) != 10) return false;
  const bool ascii = t.size() == 10;  // then each byte is a character
  const std::vector<std::string_view> chars = ascii ? std::vector<std::string_view>{} : characters(t);
  for (std::size_t i = 0; i < 10; ++i) {
    const std::string_view ch = ascii ? t.substr(i, 1) : chars[i];
    const bool digit_place = i >= 5 && i <= 8;
    if (!(digit_place ? IsDigitChar(ch) : IsLetterChar(ch))) return false;
  }
  return true;
}

void check_length(ReturnObject& self, double r, double c, double expected) {
  const std::string t = without_blanks(trimmed(self.GetCellText(r, c)));
  self.last_text = t;
  if (!t.empty() && static_cast<double>(length(t)) != expected) MarkCell(self, r, c, true);
}

}  // namespace

bool IsDigitChar(std::string_view ch) { return is_numeric(ch); }

// Only A-Z: the punctuation that follows Z in the code table is no letter.
bool IsLetterChar(std::string_view ch) {
  if (ch.empty()) return false;
  const char code = to_upper(ch.substr(0, 1))[0];
  return code >= 'A' && code <= 'Z';
}

void CheckBlank(ReturnObject& self, double r, double c) {
  if (trimmed(self.GetCellText(r, c)).empty()) MarkCell(self, r, c, true);
}

void CheckPin6(ReturnObject& self, double r, double c) { check_length(self, r, c, 6); }

void CheckLegth(ReturnObject& self, double r, double c, double checkLength) {
  check_length(self, r, c, checkLength);
}

void checkBankCode(ReturnObject& self, double& r, double& c) {
  try {
    self.last_text = trimmed(self.GetCellText(r, c));
    if (length(self.last_text) > 7) MarkCell(self, r, c, true);
  } catch (const RuntimeError& e) {
    self.ui().MsgBox({"checkBankCode" + e.description(), "", msg_style::kPlain});
  }
}

void CheckPan10(ReturnObject& self, double r, double c) {
  const std::string t = to_upper(without_blanks(trimmed(self.GetCellText(r, c))));
  self.last_text = t;
  if (t.empty()) {
    self.PutCellText(r, c, "PANNOTAVBL");
    return;
  }
  const bool valid = length(t) == 10 && (is_reserved_pan(t) || is_pan_pattern(t));
  if (!valid) MarkCell(self, r, c, true);
  self.PutCellText(r, c, t);
}

// A reference stands only beside a missing PAN (column 3 of the deductee sheet).
void CheckPanRef(ReturnObject& self, double r, double c) {
  self.last_text = without_blanks(trimmed(self.GetCellText(r, c)));
  if (to_upper(trimmed(self.GetCellText(r, 3))) == "PANNOTAVBL") {
    if (length(to_upper(trimmed(self.GetCellText(r, c)))) > 10) MarkCell(self, r, c, true);
  } else {
    self.PutCellText(r, c, "");
  }
}

}  // namespace fenwarx
