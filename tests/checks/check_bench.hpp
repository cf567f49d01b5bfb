#pragma once
// Where the walks call the validators: a return object bound to a small workbook,
// with the deductee sheet current, 2005 as the financial year, today 15/06/2006.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "checks/validators.hpp"
#include "platform/clock/clock.hpp"
#include "platform/spreadsheet/memory_workbook.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/runtime_error.hpp"
#include "state/return_object.hpp"
#include "support/error_of.hpp"

namespace fenwarx::testing {

inline double day(int y, int m, int d) { return serial_from_civil({y, m, d}); }

struct CheckBench {
  explicit CheckBench(Form form = Form::F26, std::initializer_list<LaidCell> deductor = {})
      : self(return_class(form), Platform{ui, *clock}) {
    const WorkbookLayout& p = workbook_layout(form);
    workbook =
        layout({{std::string(p.deductor.name), deductor}, {std::string(p.deductees.name), {}}});
    self.bind(workbook);
    self.current_sheet = sheet = &workbook->Worksheets(p.deductees.name);
    self.financial_year = "2005";
  }
  // Types the text into the current sheet, as a user would.
  void type(double r, double c, const std::string& text) {
    self.cell(r, c).SetValue(Variant::text(text));
  }
  bool marked(double r, double c) { return self.cell(r, c).InteriorColor() == kColorError; }

  RecordingUi ui;
  std::unique_ptr<Clock> clock = fixed_clock(day(2006, 6, 15));
  ReturnObject self;
  std::shared_ptr<MemoryWorkbook> workbook;
  Worksheet* sheet = nullptr;
};

}  // namespace fenwarx::testing
