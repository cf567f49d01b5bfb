#include "checks/error_marker.hpp"

#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"
#include "state/return_object.hpp"

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

Worksheet& current_sheet(ReturnObject& self) {
  if (self.current_sheet == nullptr) throw RuntimeError(err::kObjectNotSet);
  return *self.current_sheet;
}

}  // namespace

void MarkCell(ReturnObject& self, double row, double column, bool isError, Rule rule) {
  if (!isError) {
    attempt([&] { self.cell(row, column).SetInteriorColor(kColorNone); });
    return;
  }
  self.error_count += 1;
  Finding& finding = self.findings.emplace_back();
  finding.row = static_cast<int>(row);
  finding.column = static_cast<int>(column);
  finding.rule = rule;
  attempt([&] { self.cell(row, column).SetInteriorColor(kColorError); });

  const DeductorSheet& deductor = self.layout().deductor;
  const ErrorLog& log = deductor.log;
  // A count that cannot be read leaves line 0, which no later step can write.
  double line = 0;
  attempt([&] {
    line = leading_number(log_cell(self, log.count.row, log.count.column).ValueText()) + 1;
  });
  attempt([&] { log_cell(self, log.count.row, log.count.column).SetValue(Variant::number(line)); });
  attempt([&] {
    finding.sheet = current_sheet(self).Name();
    log_cell(self, line, log.sheet_column).SetValue(Variant::text(finding.sheet));
  });
  attempt([&] {
    // On the deductor sheet a field is named by its label; elsewhere a column by
    // its heading.
    const bool on_deductor_sheet = equal_ignoring_case(current_sheet(self).Name(), deductor.name);
    finding.caption = on_deductor_sheet ? self.cell(row, deductor.label_column).Value()
                                        : self.cell(kHeadingRow, column).Value();
    log_cell(self, line, log.caption_column).SetValue(finding.caption);
  });
  attempt([&] { log_cell(self, line, log.row_column).SetValue(Variant::number(row)); });
  attempt([&] { log_cell(self, line, log.column_column).SetValue(Variant::number(column)); });
}

}  // namespace fenwarx
