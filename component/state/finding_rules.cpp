#include "state/finding_rules.hpp"

#include <array>

namespace fenwarx {
namespace {

struct RuleText {
  Rule rule;
  std::string_view text;
};

// clang-format off
constexpr RuleText kTexts[] = {
    {.rule = Rule::None, .text = ""},
    {.rule = Rule::SectionCode, .text = "not a section code of this form"},
    {.rule = Rule::DeducteeCode, .text = "not a deductee code: the number 1 (a company) or 2 (any other)"},
    {.rule = Rule::Pan, .text = "not a PAN: five letters, four digits, a letter"},
    {.rule = Rule::PanReference, .text = "a PAN reference of more than 10 characters"},
    {.rule = Rule::Tan, .text = "not a TAN: four letters, five digits, a letter"},
    {.rule = Rule::BankCode, .text = "a BSR code of more than 7 characters"},
    {.rule = Rule::MinorHead, .text = "not a minor head: one letter from A to I"},
    {.rule = Rule::Required, .text = "empty: this field is required"},
    {.rule = Rule::Length, .text = "not of the length this field takes"},
    {.rule = Rule::Pin, .text = "not a PIN of six characters"},
    {.rule = Rule::State, .text = "not a state name of the State Code sheet"},
    {.rule = Rule::Category, .text = "not a deductor category of the list"},
    {.rule = Rule::YesNo, .text = "not Y or N"},
    {.rule = Rule::SignFlag, .text = "not P or N: P adds the amount beside it, N subtracts it"},
    {.rule = Rule::AmountMissing, .text = "empty: an amount is required (0.00 for none)"},
    {.rule = Rule::AmountNotNumber, .text = "not an amount"},
    {.rule = Rule::AmountTooLarge, .text = "an amount of more than 20 digits before the point"},
    {.rule = Rule::NegativeAmount, .text = "an amount below zero"},
    {.rule = Rule::RateMissing, .text = "not a rate: a number is required"},
    {.rule = Rule::RateRange, .text = "not a rate from 0 to 100 percent"},
    {.rule = Rule::PositiveAmount, .text = "not an amount above zero"},
    {.rule = Rule::AmountBelowTax, .text = "the amount paid is less than the tax"},
    {.rule = Rule::TaxAtNilRate, .text = "tax at a rate of 0"},
    {.rule = Rule::RateWithoutTax, .text = "a rate above 0 without tax"},
    {.rule = Rule::TotalIsZero, .text = "a total of 0 beside a section code"},
    {.rule = Rule::AboveChallanTotal, .text = "more than the challan's total tax deposited"},
    {.rule = Rule::NotADate, .text = "not a date (dd/mm/yyyy)"},
    {.rule = Rule::DateAfterToday, .text = "a date after today"},
    {.rule = Rule::DateOutsideYear, .text = "a date outside the financial year"},
    {.rule = Rule::PeriodOutsideYear, .text = "a date outside the financial year: from 1 April to 31 March"},
    {.rule = Rule::DateOutsideQuarter, .text = "a date outside the return's quarter"},
    {.rule = Rule::DeductionDateMissing, .text = "no date of deduction beside the tax deducted"},
    {.rule = Rule::DepositDate, .text = "no date of deposit, or one after today"},
    {.rule = Rule::FinancialYear, .text = "not a financial year such as 2005-06, beginning with the four digits of its first year"},
    {.rule = Rule::ChallanSerial, .text = "names no challan of the challan sheet"},
    {.rule = Rule::TransferVoucher, .text = "empty: a book entry needs its transfer voucher number"},
    {.rule = Rule::ChallanNumber, .text = "a challan number of more than 5 characters"},
    {.rule = Rule::RepeatedChallan, .text = "the serial number of an earlier challan: the deductees naming it would be written under both"},
    {.rule = Rule::WalkStopped, .text = "not in the format the column takes: the check of the sheet stopped here"},
    {.rule = Rule::DataBelowGap, .text = "empty, with data after it: every row needs its first column, and the rows below were not read"},
    {.rule = Rule::DataUnderMarker, .text = "\"End of Data\" in a row that holds data: clear it, as this row and the rows below were not read"},
    {.rule = Rule::FileCharacter, .text = "holds a character the return file cannot carry: \"^\" or one outside printable ASCII"},
    {.rule = Rule::ErrorValue, .text = "holds an error value (such as #N/A) instead of data"},
};
// clang-format on

constexpr std::array<std::string_view, static_cast<std::size_t>(Rule::kCount)> kByRule = [] {
  std::array<std::string_view, static_cast<std::size_t>(Rule::kCount)> by_rule{};
  std::size_t listed = 0;
  for (const RuleText& entry : kTexts) {
    by_rule[static_cast<std::size_t>(entry.rule)] = entry.text;
    ++listed;
  }
  // Every rule has its text, once.
  if (listed != by_rule.size()) throw "a rule without its text";
  for (std::size_t i = 1; i < by_rule.size(); ++i)
    if (by_rule[i].empty()) throw "a rule without its text";
  return by_rule;
}();

}  // namespace

std::string_view rule_text(Rule rule) { return kByRule[static_cast<std::size_t>(rule)]; }

}  // namespace fenwarx
