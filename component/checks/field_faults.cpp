#include "checks/field_faults.hpp"

#include "checks/return_field_formats.hpp"
#include "platform/values/numbers.hpp"

namespace fenwarx {
namespace {

using namespace file_format;

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::optional<FieldFault> fault(Rule rule, std::string message) {
  return FieldFault{.rule = rule, .message = std::move(message)};
}

std::optional<FieldFault> amount_fault(std::string_view text, bool required) {
  if (text.empty())
    return required ? fault(Rule::AmountMissing, "amount is missing") : std::nullopt;
  if (!parse_amount(text))
    // A number the writer spelt out in more digits than the field holds.
    return fault(parse_number(text) ? Rule::AmountTooLarge : Rule::AmountNotNumber,
                 quoted(text) + " is not an amount with two decimals");
  if (text.front() == '-')
    return fault(Rule::NegativeAmount, quoted(text) + " is a negative amount");
  return std::nullopt;
}

// A percentage from 0 to 100 with four decimals, when present. A rate written
// with a minus is named as such rather than as a misshapen rate.
std::optional<FieldFault> rate_fault(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const bool negative = text.front() == '-';
  const std::string_view digits = negative ? text.substr(1) : text;
  const auto rate = parse_rate(digits);
  if (!is_rate(digits))
    return fault(Rule::RateMissing, quoted(text) + " is not a rate with four decimals");
  if (negative) return fault(Rule::RateRange, "rate " + std::string(text) + " is below 0");
  if (!rate || *rate > kHundredPercent)
    return fault(Rule::RateRange, "rate " + std::string(text) + " is over 100");
  return std::nullopt;
}

std::optional<FieldFault> shape_fault(std::string_view text, bool required,
                                      bool (*reads)(std::string_view), Rule rule,
                                      const char* missing, const char* misread) {
  if (text.empty()) return required ? fault(rule, missing) : std::nullopt;
  if (!reads(text)) return fault(rule, quoted(text) + misread);
  return std::nullopt;
}

std::optional<FieldFault> check_fault(const ReturnField& field, std::string_view text) {
  switch (field.check) {
    case Check::Amount:
    case Check::DepositTotal: return amount_fault(text, field.required);
    case Check::Rate: return rate_fault(text);
    case Check::Date:
      return shape_fault(text, field.required, is_date, Rule::NotADate, "date is missing",
                         " is not a date (ddMMyyyy)");
    case Check::Pan:
      return shape_fault(text, field.required, is_pan, Rule::Pan, "PAN is missing",
                         " is not a PAN");
    case Check::Tan:
      if (!is_tan(text)) return fault(Rule::Tan, quoted(text) + " is not a TAN");
      return std::nullopt;
    case Check::FinancialYear:
      if (!financial_year_start(text))
        return fault(Rule::FinancialYear, "financial year " + quoted(text) + " is not like 200506");
      return std::nullopt;
    default: return std::nullopt;  // the checker's own, of the file as a whole
  }
}

}  // namespace

std::optional<FieldFault> field_fault(const ReturnField& field, std::string_view text) {
  if (auto found = check_fault(field, text)) return found;
  if (field.max_length > 0 && text.size() > static_cast<std::size_t>(field.max_length))
    return fault(Rule::Length, std::to_string(text.size()) + " characters, at most " +
                                   std::to_string(field.max_length) + " allowed");
  return std::nullopt;
}

}  // namespace fenwarx
