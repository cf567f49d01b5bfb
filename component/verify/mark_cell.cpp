#include "verify/mark_cell.hpp"

#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"
#include "returns/return_object.hpp"

namespace fenwarx {
namespace {

// Each step of the marker stands alone: a sheet that cannot be written (or no
// sheet at all) must not keep the count and the log from moving on.
template <class Step>
void attempt(Step step) {
  try {
    step();
  } catch (const RuntimeError&) {
  }
}

Cell log_cell(ReturnObject& self, double row, double column) {
  if (self.deductor_sheet == nullptr) throw RuntimeError(err::kObjectNotSet);
  return self.deductor_sheet->Cells(row, column);
}

}  // namespace

void MarkCell(ReturnObject& self, double row, double column, bool isError) {
  if (!isError) {
    attempt([&] { self.cell(row, column).SetInteriorColor(kColorNone); });
    return;
  }
  self.error_count += 1;
  attempt([&] { self.cell(row, column).SetInteriorColor(kColorError); });

  // A count that cannot be read leaves line 0, which no later step can write.
  double line = 0;
  attempt([&] { line = leading_number(log_cell(self, 1, 31).Value().to_text()) + 1; });
  attempt([&] { log_cell(self, 1, 31).SetValue(Variant::number(line)); });
  attempt([&] {
    if (self.current_sheet == nullptr) throw RuntimeError(err::kObjectNotSet);
    log_cell(self, line, 30).SetValue(Variant::text(self.current_sheet->Name()));
  });
  attempt([&] {
    if (self.current_sheet == nullptr) throw RuntimeError(err::kObjectNotSet);
    // On the deductor sheet a field is named by its label in column 1; elsewhere
    // a column by its heading in row 1.
    const bool on_deductor_sheet =
        equal_ignoring_case(self.current_sheet->Name(), self.profile().deductor_sheet);
    const Variant caption = on_deductor_sheet ? self.cell(row, 1).Value() : self.cell(1, column).Value();
    log_cell(self, line, 34).SetValue(caption);
  });
  attempt([&] { log_cell(self, line, 32).SetValue(Variant::number(row)); });
  attempt([&] { log_cell(self, line, 33).SetValue(Variant::number(column)); });
}

}  // namespace fenwarx
