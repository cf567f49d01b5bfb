#include "export/return_file_warnings.hpp"

#include <algorithm>
#include <array>
#include <string>

#include "checks/code_shapes.hpp"
#include "checks/return_field_formats.hpp"
#include "layout/code_lists.hpp"
#include "layout/record_tables.hpp"
#include "platform/values/ascii.hpp"

namespace fenwarx {
namespace {

using namespace file_format;
using D = DeducteeColumn;
using R = DeductorRow;

// Rates are in ten-thousandths of a percent: an amount in paise times a rate is
// a tax in millionths of a paisa.
constexpr Paise kPerPaisa = 1'000'000;
// A tax is often rounded to whole rupees, so up to a rupee off the exact figure
// is rounding.
constexpr Paise kRoundingLimit = 100 * kPerPaisa;

std::string_view at(ReturnWarnings::Fields fields, int k) {
  return k > 0 && static_cast<std::size_t>(k) <= fields.size()
             ? fields[static_cast<std::size_t>(k - 1)]
             : std::string_view{};
}

void warn(std::vector<CheckFinding>& out, long long line, int field, std::string message) {
  out.push_back({.line = line,
                 .field = field,
                 .message = std::move(message),
                 .sheet = {},
                 .row = 0,
                 .column = 0});
}

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// A yyyymmdd date as the file writes it, ddMMyyyy.
std::string file_date(int order) {
  return std::to_string(order % 100 + 100).substr(1) +
         std::to_string(order / 100 % 100 + 100).substr(1) +
         std::to_string(order / 10000 + 10000).substr(1);
}

}  // namespace

void ReturnWarnings::set_form(Form form) {
  const RecordTable& batch = record_table(form, RecordKind::BatchHeader);
  const RecordTable& challan = record_table(form, RecordKind::Challan);
  const RecordTable& deductee = record_table(form, RecordKind::Deductee);
  numbers_ = {
      .quarter = batch.deductor_field(R::Quarter),
      .financial_year = batch.checked_field(Check::FinancialYear),
      .pin = batch.deductor_field(R::Pin),
      .responsible_pin = batch.deductor_field(R::ResponsiblePin),
      .deposit_date = challan.challan_field(ChallanColumn::DepositDate),
      .nil_indicator = challan.checked_field(Check::NilIndicator),
      .payment_date = deductee.deductee_field(D::PaymentDate),
      .deduction_date = deductee.deductee_field(D::DeductionDate),
      .amount = deductee.deductee_field(D::AmountPaid),
      .rate = deductee.deductee_field(D::Rate),
      .tds = deductee.deductee_field(D::Tds),
      .total_tax = deductee.deductee_field(D::TotalTax),
      .deductee_code = deductee.deductee_field(D::Code),
      .pan = deductee.deductee_field(D::Pan),
  };
}

void ReturnWarnings::batch_header(long long line, Fields fields, std::vector<CheckFinding>& out) {
  pin(line, numbers_.pin, fields, out);
  pin(line, numbers_.responsible_pin, fields, out);
  // The quarter's days, when the financial year and the quarter both read; the
  // fourth quarter lies in the year after F.
  static constexpr std::array<std::array<int, 2>, 4> kMonthDays{
      {{401, 630}, {701, 930}, {1001, 1231}, {101, 331}}};
  quarter_.reset();
  const auto year = financial_year_start(at(fields, numbers_.financial_year));
  const std::string name = to_upper(at(fields, numbers_.quarter));
  const auto found = std::find(kQuarters.begin(), kQuarters.end(), name);
  if (!year || found == kQuarters.end()) return;
  const auto index = static_cast<std::size_t>(found - kQuarters.begin());
  const int calendar_year = *year + (index == 3 ? 1 : 0);
  quarter_ = Quarter{.name = *found,
                     .first = calendar_year * 10000 + kMonthDays[index][0],
                     .last = calendar_year * 10000 + kMonthDays[index][1]};
}

void ReturnWarnings::challan(Fields fields) {
  // A nil challan deposits nothing: its date is no deposit a deduction can follow.
  deposit_ = at(fields, numbers_.nil_indicator) == "Y"
                 ? std::nullopt
                 : date_order(at(fields, numbers_.deposit_date));
}

void ReturnWarnings::unread_challan() { deposit_.reset(); }

void ReturnWarnings::deductee(long long line, Fields fields, std::vector<CheckFinding>& out) {
  dates(line, fields, out);
  tax(line, fields, out);
  deductee_code(line, fields, out);
}

void ReturnWarnings::pin(long long line, int field, Fields fields,
                         std::vector<CheckFinding>& out) const {
  const std::string_view text = at(fields, field);
  const bool six_digits = text.size() == 6 && std::all_of(text.begin(), text.end(), [](char c) {
                            return c >= '0' && c <= '9';
                          });
  if (!text.empty() && !six_digits)
    warn(out, line, field, "PIN " + quoted(text) + " is not six digits");
}

void ReturnWarnings::dates(long long line, Fields fields, std::vector<CheckFinding>& out) const {
  in_quarter(line, numbers_.payment_date, "payment", fields, out);
  const int field = numbers_.deduction_date;
  const auto deducted = date_order(at(fields, field));
  if (deducted && deposit_ && *deducted > *deposit_)
    warn(out, line, field,
         "deduction date " + std::string(at(fields, field)) +
             " is after the challan's deposit date " + file_date(*deposit_));
  in_quarter(line, field, "deduction", fields, out);
}

void ReturnWarnings::in_quarter(long long line, int field, const char* what, Fields fields,
                                std::vector<CheckFinding>& out) const {
  const auto date = date_order(at(fields, field));
  if (!date || !quarter_ || (*date >= quarter_->first && *date <= quarter_->last)) return;
  warn(out, line, field,
       std::string(what) + " date " + std::string(at(fields, field)) + " is outside " +
           std::string(quarter_->name) + " (" + file_date(quarter_->first) + " to " +
           file_date(quarter_->last) + ")");
}

// The tax is taken as the rate of the amount when the TDS or the total tax is,
// since some deductors state the rate with the surcharge and cess in it.
// Form 24 records carry no rate, so they pass untested.
void ReturnWarnings::tax(long long line, Fields fields, std::vector<CheckFinding>& out) const {
  const auto amount = parse_amount(at(fields, numbers_.amount));
  const auto rate = parse_rate(at(fields, numbers_.rate));
  const auto tds = parse_amount(at(fields, numbers_.tds));
  const auto total = parse_amount(at(fields, numbers_.total_tax));
  if (!amount || !rate || !tds || *amount < 0 || *tds < 0 || *rate > kHundredPercent) return;
  const Paise exact = *amount * *rate;
  const auto near = [&](Paise tax) {
    const Paise off = tax * kPerPaisa - exact;
    return (off < 0 ? -off : off) <= kRoundingLimit;
  };
  if (near(*tds) || (total && near(*total))) return;
  warn(out, line, numbers_.tds,
       "tax " + amount_text(*tds) + " differs from " + std::string(at(fields, numbers_.rate)) +
           "% of " + amount_text(*amount) + " (" +
           amount_text((exact + kPerPaisa / 2) / kPerPaisa) + ") by more than a rupee");
}

// The fourth letter of a PAN tells a company (C) from everyone else; the words
// that stand in for a missing PAN tell nothing.
void ReturnWarnings::deductee_code(long long line, Fields fields,
                                   std::vector<CheckFinding>& out) const {
  const std::string_view code = at(fields, numbers_.deductee_code);
  const std::string_view pan = at(fields, numbers_.pan);
  if (!has_shape(pan, kPanShape) || is_reserved_pan(pan)) return;
  const bool company = pan[3] == 'C';
  const std::string pan_text(pan);
  if (code == "1" && !company)
    warn(out, line, numbers_.deductee_code,
         "deductee code 1 (company), but PAN " + pan_text + " is not a company's");
  else if (code == "2" && company)
    warn(out, line, numbers_.deductee_code,
         "deductee code 2 (non-company), but PAN " + pan_text + " is a company's");
}

}  // namespace fenwarx
