// Checks of amounts and rates. Non-numeric text is not reported but replaced by its
// leading number; the cell is rewritten with a fixed number of decimals. A failing
// spreadsheet step is skipped, except in CheckRateAmountNill, which passes it on.
#include <string>

#include "checks/ignored_step.hpp"
#include "checks/validators.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/values/variant.hpp"
#include "returns/return_object.hpp"
#include "verify/mark_cell.hpp"

namespace fenwarx {
namespace {

// The cell's text as a number text; "0" when it has no leading number.
std::string leading_number_text(std::string_view text) {
  return number_text(leading_number(text));
}

// Writes the last text (numeric) with `decimals` decimals, as if typed, after
// setting `format` when one is given.
void write_fixed(ReturnObject& self, double r, double c, int decimals, const char* format) {
  if (format != nullptr) ignoring_failure([&] { self.cell(r, c).SetNumberFormat(format); });
  ignoring_failure([&] {
    const double value = parse_number(self.last_text).value_or(0);
    self.cell(r, c).SetValue(Variant::text(fixed_text(value, decimals)));
  });
}

// Shared by CheckAmount and CheckAmountroundoff once the last text is set.
void finish_amount(ReturnObject& self, double r, double c) {
  if (self.last_text.empty()) {
    MarkCell(self, r, c, true);
    return;
  }
  self.last_text = leading_number_text(self.last_text);
  if (is_numeric(self.last_text))
    write_fixed(self, r, c, 2, "0.00");
  else
    MarkCell(self, r, c, true);
}

// A number that must be present; `accept` judges its value.
template <typename Accept>
void check_present_number(ReturnObject& self, double r, double c, int decimals,
                          const char* format, Accept accept) {
  self.last_text = trimmed(self.GetCellText(r, c));
  if (self.last_text.empty()) {
    MarkCell(self, r, c, true);
    return;
  }
  self.last_text = leading_number_text(self.last_text);
  const auto value = parse_number(self.last_text);
  if (value && accept(*value))
    write_fixed(self, r, c, decimals, format);
  else
    MarkCell(self, r, c, true);
}

double as_number(ReturnObject& self, double r, double c) {
  return Variant::text(trimmed(self.GetCellText(r, c))).to_number();
}

}  // namespace

void ifValueIsZero(ReturnObject& self, double r, double c) {
  ignoring_failure([&] {
    if (self.GetCellText(r, c).empty()) self.PutCellText(r, c, "0.00");
  });
}

void CheckAmount(ReturnObject& self, double r, double c) {
  ifValueIsZero(self, r, c);
  self.last_text = trimmed(self.GetCellText(r, c));
  finish_amount(self, r, c);
}

void CheckAmountroundoff(ReturnObject& self, double r, double c) {
  ifValueIsZero(self, r, c);
  const std::string t = trimmed(self.GetCellText(r, c));
  self.last_text = number_text(round_half_even(leading_number(t)));
  finish_amount(self, r, c);
}

void CheckZ_B_Amount(ReturnObject& self, double r, double c) {
  check_present_number(self, r, c, 2, nullptr, [](double v) { return v > 0; });
}

void CheckAmountDigitAfterDicimal(ReturnObject& self, double r, double c) {
  check_present_number(self, r, c, 4, nullptr, [](double) { return true; });
}

void CheckRateAmount(ReturnObject& self, double r, double c) {
  check_present_number(self, r, c, 4, "0.0000", [](double) { return true; });
}

// A nil rate needs a nil tax. Forms 27 and 27EQ also need a nil rate beside a nil
// tax, and zero the row's challan serial when either is nil. An empty or non-numeric
// rate or tax fails the conversion, and that failure reaches the caller.
void CheckRateAmountNill(ReturnObject& self, double r) {
  const FormProfile& p = self.profile();
  if (!p.has_rate_nill) throw RuntimeError(err::kNoSuchMember);
  const double rate = as_number(self, r, p.nil_rate_column);
  const double tax = as_number(self, r, p.nil_tax_column);
  if (!p.rate_nill_two_way) {
    if (rate == 0 && tax != 0) MarkCell(self, r, p.nil_tax_column, true);
    return;
  }
  if (rate == 0) {
    if (tax != 0) MarkCell(self, r, p.nil_tax_column, true);
    self.PutCellText(r, p.nil_serial_column, "0");
  }
  if (tax == 0) {
    if (rate != 0) MarkCell(self, r, p.nil_rate_column, true);
    self.PutCellText(r, p.nil_serial_column, "0");
  }
}

}  // namespace fenwarx
