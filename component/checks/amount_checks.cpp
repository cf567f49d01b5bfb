// Checks of amounts and rates. Non-numeric text is not reported but replaced by its
// leading number; the cell is rewritten with a fixed number of decimals. A failing
// spreadsheet step is skipped, except in CheckRateAmountNill, which passes it on.
#include <string>

#include "checks/error_marker.hpp"
#include "checks/ignored_step.hpp"
#include "checks/validators.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/values/variant.hpp"
#include "state/return_object.hpp"

namespace fenwarx {
namespace {

// The cell's text as a number text; "0" when it has no leading number.
std::string leading_number_text(std::string_view text) { return number_text(leading_number(text)); }

// Writes the last text (numeric) with `decimals` decimals, as if typed, after
// setting `format` when one is given.
void write_fixed(ReturnObject& self, double r, double c, int decimals, const char* format) {
  if (format != nullptr) ignoring_failure([&] { self.cell(r, c).SetNumberFormat(format); });
  ignoring_failure([&] {
    const double value = parse_number(self.last.text).value_or(0);
    self.cell(r, c).SetValue(Variant::text(fixed_text(value, decimals)));
  });
}

// Shared by CheckAmount and CheckAmountroundoff once the last text is set.
void finish_amount(ReturnObject& self, double r, double c) {
  if (self.last.text.empty()) {
    MarkCell(self, r, c, true, Rule::AmountMissing);
    return;
  }
  self.last.text = leading_number_text(self.last.text);
  if (is_numeric(self.last.text))
    write_fixed(self, r, c, 2, "0.00");
  else
    MarkCell(self, r, c, true, Rule::AmountNotNumber);
}

// A number that must be present; `accept` judges its value, `rule` names what fails.
template <typename Accept>
void check_present_number(ReturnObject& self, double r, double c, int decimals, const char* format,
                          Rule rule, Accept accept) {
  self.last.text = trimmed(self.GetCellText(r, c));
  if (self.last.text.empty()) {
    MarkCell(self, r, c, true, rule);
    return;
  }
  self.last.text = leading_number_text(self.last.text);
  const auto value = parse_number(self.last.text);
  if (value && accept(*value))
    write_fixed(self, r, c, decimals, format);
  else
    MarkCell(self, r, c, true, rule);
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
  self.last.text = trimmed(self.GetCellText(r, c));
  finish_amount(self, r, c);
}

void CheckAmountroundoff(ReturnObject& self, double r, double c) {
  ifValueIsZero(self, r, c);
  const std::string t = trimmed(self.GetCellText(r, c));
  self.last.text = number_text(round_half_even(leading_number(t)));
  finish_amount(self, r, c);
}

void CheckZ_B_Amount(ReturnObject& self, double r, double c) {
  check_present_number(self, r, c, 2, nullptr, Rule::PositiveAmount,
                       [](double v) { return v > 0; });
}

void CheckAmountDigitAfterDicimal(ReturnObject& self, double r, double c) {
  check_present_number(self, r, c, 4, nullptr, Rule::AmountMissing, [](double) { return true; });
}

// A rate is a percentage: the return file holds none below 0 or above 100.
void CheckRateAmount(ReturnObject& self, double r, double c) {
  self.last.text = trimmed(self.GetCellText(r, c));
  const auto value = parse_number(leading_number_text(self.last.text));
  if (value && (*value < 0 || *value > 100)) {
    MarkCell(self, r, c, true, Rule::RateRange);
    return;
  }
  check_present_number(self, r, c, 4, "0.0000", Rule::RateMissing, [](double) { return true; });
}

// A nil rate needs a nil tax. Forms 27 and 27EQ also need a nil rate beside a nil
// tax, and zero the row's challan serial when either is nil. An empty or non-numeric
// rate or tax fails the conversion, and that failure reaches the caller.
void CheckRateAmountNill(ReturnObject& self, double r) {
  const ReturnClass& kind = self.return_class();
  if (!kind.has_rate_nil) throw RuntimeError(err::kNoSuchMember);
  const FieldTable<DeducteeColumn>& columns = self.layout().deductees.columns;
  const int rate_column = columns.of(DeducteeColumn::Rate);
  const int tax_column = columns.of(DeducteeColumn::Tds);
  const int serial_column = columns.of(DeducteeColumn::ChallanSerial);
  const double rate = as_number(self, r, rate_column);
  const double tax = as_number(self, r, tax_column);
  if (!kind.rate_nil_two_way) {
    if (rate == 0 && tax != 0) MarkCell(self, r, tax_column, true, Rule::TaxAtNilRate);
    return;
  }
  if (rate == 0) {
    if (tax != 0) MarkCell(self, r, tax_column, true, Rule::TaxAtNilRate);
    self.PutCellText(r, serial_column, "0");
  }
  if (tax == 0) {
    if (rate != 0) MarkCell(self, r, rate_column, true, Rule::RateWithoutTax);
    self.PutCellText(r, serial_column, "0");
  }
}

}  // namespace fenwarx
