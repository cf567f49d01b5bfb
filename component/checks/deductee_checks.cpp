// Checks of the deductee sheet's codes, flags and links, and the section code the
// challan sheet shares with it.
#include <algorithm>
#include <string>

#include "checks/error_marker.hpp"
#include "checks/ignored_step.hpp"
#include "checks/walk_checks.hpp"
#include "layout/code_lists.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"
#include "state/return_object.hpp"

namespace fenwarx {
namespace {

bool listed(Form form, std::string_view code) {
  const auto codes = section_codes(form);
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

std::string cell_value_text(ReturnObject& self, double r, double c) {
  return self.cell(r, c).ValueText();
}

double leading(ReturnObject& self, double r, double c) {
  return leading_number(self.GetCellText(r, c));
}

// Converting as a number: the trimmed text must read wholly as one.
double as_number(ReturnObject& self, double r, double c) {
  return Variant::text(trimmed(self.GetCellText(r, c))).to_number();
}

}  // namespace

// Form 26 compares the value as typed (a padded code fails), Form 27 trims it, and
// Form 27EQ, with a single code, fills an empty cell with it.
void CheckSectionCode(ReturnObject& self, double r, double c) {
  MarkCell(self, r, c, false);
  ignoring_failure([&] {
    const Form form = self.form();
    std::string code = to_upper(cell_value_text(self, r, c));
    switch (self.return_class().section_code_rule) {
      case SectionCodeRule::AsTyped: break;
      case SectionCodeRule::Trimmed: code = trimmed(code); break;
      case SectionCodeRule::FilledWhenEmpty:
        if (code.empty()) {
          code = std::string(section_codes(form).front());
          self.PutCellText(r, c, code);
        }
        break;
    }
    if (!listed(form, code)) MarkCell(self, r, c, true, Rule::SectionCode);
  });
}

void CheckDeducteeCode(ReturnObject& self, double r, double c) {
  ignoring_failure([&] { self.cell(r, c).SetInteriorColor(kColorNone); });
  ignoring_failure([&] {
    // Only a number passes: a code typed as text ("1" included) does not.
    const Variant value = self.cell(r, c).Value();
    const bool passes = value.type() == VariantType::Number && value.number_value() >= 1 &&
                        value.number_value() <= 2;
    if (!passes) MarkCell(self, r, c, true, Rule::DeducteeCode);
  });
}

void CheckYesNo(ReturnObject& self, double r, double c) {
  ignoring_failure([&] {
    const std::string flag = to_upper(trimmed(cell_value_text(self, r, c)));
    self.PutCellText(r, c, flag == "Y" || flag == "N" ? flag : "N");
  });
}

void CheckYesNoStrict(ReturnObject& self, double r, double c) {
  ignoring_failure([&] {
    const std::string flag = trimmed(cell_value_text(self, r, c));
    if (flag != "Y" && flag != "N") MarkCell(self, r, c, true, Rule::YesNo);
  });
}

void CheckAorB(ReturnObject& self, double r, double c) {
  ignoring_failure([&] {
    const std::string reason = to_upper(trimmed(cell_value_text(self, r, c)));
    if (reason.empty() || reason == "A" || reason == "B") self.PutCellText(r, c, reason);
  });
}

void CheckAmountCoversTax(ReturnObject& self, double r, int amount_column, int tax_column,
                          int marked_column, bool strict) {
  const auto compare = [&] {
    const double amount =
        strict ? as_number(self, r, amount_column) : leading(self, r, amount_column);
    const double tax = strict ? as_number(self, r, tax_column) : leading(self, r, tax_column);
    if (amount < tax) MarkCell(self, r, marked_column, true, Rule::AmountBelowTax);
  };
  if (strict)
    compare();
  else
    ignoring_failure(compare);
}

bool IsRateOrTaxNil(ReturnObject& self, double r) {
  const FieldTable<DeducteeColumn>& columns = self.layout().deductees.columns;
  const double rate = as_number(self, r, columns.of(DeducteeColumn::Rate));
  const double tax = as_number(self, r, columns.of(DeducteeColumn::Tds));
  return rate == 0 || tax == 0;
}

ChallanSerials challan_serials(const ReturnObject& self) {
  ChallanSerials serials;
  const ReturnRecords& records = self.records;
  const auto stored = static_cast<std::size_t>(std::max(0.0, records.challan_index));
  for (std::size_t i = 0; i < stored && i < records.challans.size(); ++i)
    serials.insert(leading_number(records.challans[i][ChallanColumn::SerialNumber]));
  return serials;
}

bool CheckChallanSerial(ReturnObject& self, double r, double c, const ChallanSerials& serials) {
  return serials.count(leading(self, r, c)) != 0;
}

}  // namespace fenwarx
