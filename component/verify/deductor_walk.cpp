// The deductor walk: each field row of the deductor sheet checked by its rule,
// and the control totals filled in from what the other two walks gathered.
#include <algorithm>
#include <array>
#include <string>

#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"
#include "returns/return_codes.hpp"
#include "returns/return_object.hpp"
#include "verify/mark_cell.hpp"
#include "verify/verification.hpp"
#include "verify/walk_checks.hpp"

namespace fenwarx {
namespace {

constexpr int kValueColumn = 2;
constexpr int kLastRow = 38;

enum class Rule { None, Tan, Pan, Required, State, Category, Total, ReturnType };

constexpr std::array<Rule, kLastRow + 1> rules() {
  std::array<Rule, kLastRow + 1> by_row{};
  by_row[1] = Rule::Tan;
  by_row[2] = Rule::Pan;
  for (int row : {3, 5, 11, 17, 18, 19, 25}) by_row[row] = Rule::Required;
  by_row[10] = by_row[24] = Rule::State;
  by_row[16] = Rule::Category;
  for (int row = 33; row <= 37; ++row) by_row[row] = Rule::Total;
  by_row[38] = Rule::ReturnType;
  return by_row;
}
constexpr std::array<Rule, kLastRow + 1> kRules = rules();

// Rows 33 to 37: what the walks counted and summed. Row 34 compares as the
// two-decimal texts a user reads, the others as numbers.
double control_total(const ReturnObject& self, int row) {
  switch (row) {
    case 33: return self.deductee_totals[0];
    case 34: return self.deductee_totals[1];
    case 35: return self.challan_total;
    case 36: return self.challan_count;
    default: return self.deductee_count;
  }
}

void fill_control_total(ReturnObject& self, int row) {
  const auto held = [&] { return leading_number(self.GetCellText(row, kValueColumn)); };
  if (held() <= 0) self.cell(row, kValueColumn).SetValue(Variant::number(0));
  const double total = control_total(self, row);
  const double current = held();
  const bool differs = row == 34 ? fixed_text(total, 2) != fixed_text(current, 2) : total != current;
  if (differs) self.cell(row, kValueColumn).SetValue(Variant::number(total));
}

bool blank(ReturnObject& self, int row) { return trimmed(self.GetCellText(row, kValueColumn)).empty(); }

void apply(ReturnObject& self, int row) {
  switch (kRules[static_cast<std::size_t>(row)]) {
    case Rule::None: break;
    case Rule::Tan: checkTan10(self, row, kValueColumn); break;
    case Rule::Pan: CheckDeductorPan(self, row, kValueColumn); break;
    case Rule::Required:
      if (blank(self, row)) MarkCell(self, row, kValueColumn, true);
      break;
    case Rule::State:
      if (blank(self, row))
        MarkCell(self, row, kValueColumn, true);
      else
        CheckStateName(self, row, kValueColumn);
      break;
    case Rule::Category: {
      const std::string category = to_upper(trimmed(self.GetCellText(row, kValueColumn)));
      if (std::find(kDeductorCategories.begin(), kDeductorCategories.end(), category) ==
          kDeductorCategories.end())
        MarkCell(self, row, kValueColumn, true);
      break;
    }
    case Rule::Total: fill_control_total(self, row); break;
    case Rule::ReturnType: checkRegularOrRevised(self, row, kValueColumn); break;
  }
}

}  // namespace

void VerifyDeductorDetails(ReturnObject& self) {
  const FormProfile& profile = self.profile();
  try {
    if (!self.workbook) throw RuntimeError(err::kObjectNotSet);
    self.current_sheet = &self.workbook->Worksheets(profile.deductor_sheet);
    Application& application = self.workbook->GetApplication();
    for (int row = 1; row <= kLastRow; ++row) {
      self.row = row;
      self.column = kValueColumn;
      application.SetStatusBar(std::string(profile.deductor_progress) + number_text(row));
      MarkCell(self, row, kValueColumn, false);
      apply(self, row);
    }
  } catch (const RuntimeError& failure) {
    self.ui().MsgBox({failure.description(), "", msg_style::kInformation});
  }
}

}  // namespace fenwarx
