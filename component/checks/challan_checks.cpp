// Checks of the challan sheet: the deposit total, the deposit date and flag, the
// deductee sums against the total, the book-entry columns and the minor head.
#include <optional>
#include <string>

#include "checks/computed_cells.hpp"
#include "checks/error_marker.hpp"
#include "checks/ignored_step.hpp"
#include "checks/walk_checks.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/values/utf8.hpp"
#include "state/message_texts.hpp"
#include "state/return_object.hpp"

namespace fenwarx {
namespace {

constexpr std::size_t kLongestVoucher = 5;

double leading(ReturnObject& self, double r, double c) {
  return leading_number(self.GetCellText(r, c));
}

// A deposit date compared with today. A date typed into a text cell compares as
// the date it reads as; any other text is no date and counts as later.
bool later_than_today(ReturnObject& self, const Variant& value) {
  switch (value.type()) {
    case VariantType::Number:
    case VariantType::Date: return value.number_value() > self.clock().today();
    case VariantType::Text: {
      const std::optional<double> date = parse_date(trimmed(value.text_value()));
      return !date || *date > self.clock().today();
    }
    case VariantType::Error: throw RuntimeError(err::kTypeMismatch);
    default: return false;
  }
}

}  // namespace

void FillChallanTotal(ReturnObject& self, double r, double c, int first, int last, int beside) {
  double sum = 0;
  ignoring_failure([&] {
    for (int column = first; column <= last; ++column) sum += leading(self, r, column);
  });
  ignoring_failure([&] { write_computed(self, r, c, Variant::text(number_text(sum))); });
  MarkCell(self, r, c, false);
  ignoring_failure([&] {
    if (!trimmed(self.GetCellText(r, beside)).empty() && leading(self, r, c) == 0)
      MarkCell(self, r, c, true, Rule::TotalIsZero);
  });
}

void checkChallanDate(ReturnObject& self, double r, double c) {
  try {
    MarkCell(self, r, c, false);
    if (trimmed(self.GetCellText(r, c)).empty() || later_than_today(self, self.cell(r, c).Value()))
      MarkCell(self, r, c, true, Rule::DepositDate);
  } catch (const RuntimeError& e) {
    self.ui().MsgBox(texts::procedure_failure("checkChallanDate", e.description()));
  }
}

void CheckYesNoFlag(ReturnObject& self, double r, double c) {
  ignoring_failure([&] {
    const std::string flag = trimmed(self.GetCellText(r, c));
    if (flag.empty())
      self.PutCellText(r, c, "N");
    else if (flag != "Y" && flag != "N")
      MarkCell(self, r, c, true, Rule::YesNo);
  });
}

void CheckAgainstChallanTotal(ReturnObject& self, double r, double c, int total_column) {
  ignoring_failure([&] {
    if (leading(self, r, total_column) < leading(self, r, c))
      MarkCell(self, r, c, true, Rule::AboveChallanTotal);
  });
}

void CheckBookEntry(ReturnObject& self, double r, double c, BookEntryColumns columns) {
  MarkCell(self, r, c, false);
  std::string category;
  ignoring_failure([&] {
    Worksheet* challans = self.current_sheet;
    self.current_sheet = self.deductor_sheet;
    const CellPlace place = self.layout().deductor_cell(DeductorRow::Category);
    category = to_upper(trimmed(self.GetCellText(place.row, place.column)));
    self.current_sheet = challans;
  });
  ignoring_failure([&] {
    if (category == "C" && to_upper(trimmed(self.GetCellText(r, columns.flag))) == "Y") {
      self.PutCellText(r, columns.voucher, "");
      if (trimmed(self.GetCellText(r, columns.transfer)).empty())
        MarkCell(self, r, columns.transfer, true, Rule::TransferVoucher);
    } else {
      self.PutCellText(r, columns.transfer, "");
      if (character_count(self.GetCellText(r, columns.voucher)) > kLongestVoucher)
        MarkCell(self, r, columns.voucher, true, Rule::ChallanNumber);
    }
  });
}

void CheckMinorHead(ReturnObject& self, double r, double c) {
  ignoring_failure([&] {
    const std::string head = to_upper(trimmed(self.GetCellText(r, c)));
    if (head.size() != 1 || head[0] < 'A' || head[0] > 'I')
      MarkCell(self, r, c, true, Rule::MinorHead);
  });
}

}  // namespace fenwarx
