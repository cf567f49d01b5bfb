// The verification run and its error marker: the red mark, the count, the log lines
// on the deductor sheet, the financial year and the closing messages.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "checks/error_marker.hpp"
#include "platform/clock/clock.hpp"
#include "platform/spreadsheet/memory_workbook.hpp"
#include "platform/values/runtime_error.hpp"
#include "state/return_object.hpp"
#include "support/error_of.hpp"
#include "verify/verification.hpp"

namespace fenwarx {
namespace {

using Line = std::vector<Variant>;  // a log line: sheet, row, column, caption
Variant N(double value) { return Variant::number(value); }
Variant T(const std::string& value) { return Variant::text(value); }
const Message kNoError{"No error.", " Verificaton Sucess ! ", msg_style::kInformation};
Message errors(const char* count) {
  return {std::string("This sheet contains ") + count + " errors(s).", "", msg_style::kInformation};
}

// Bound, as a check finds its object; the year in row 30 as Form 26 keeps it.
struct Harness {
  explicit Harness(const std::string& deductor = "Deductor Details")
      : self(return_class(Form::F26), Platform{ui, *clock}),
        workbook(layout(
            {{deductor, {{1, 31, "9"}, {30, 2, "2024-25"}, {2, 1, "Name of Deductor"}}},
             {"Challan Details", {{1, 4, "Amount"}, {7, 4, "x"}, {1, 11, "Date of Deposit"}}},
             {"Deductee Details", {{1, 6, "PAN"}}}})),
        challan(workbook->find_sheet("Challan Details")) {
    self.bind(workbook);
  }
  RecordingUi ui;
  std::unique_ptr<Clock> clock = fixed_clock(45000);
  ReturnObject self;
  std::shared_ptr<MemoryWorkbook> workbook;
  Worksheet* challan;

  Variant log(int row, int column) { return self.deductor_sheet->stored_value(row, column); }
  Line line(int n) { return {log(n, 30), log(n, 32), log(n, 33), log(n, 34)}; }
  void mark(Worksheet* on, double row, double column, bool error = true) {
    self.current_sheet = on;
    MarkCell(self, row, column, error);
  }
  // A run whose walks find the given cells bad, closed as the driver closes it.
  void run_finding(std::initializer_list<std::pair<const char*, std::pair<int, int>>> bad) {
    self.bind(workbook);
    self.error_count = 0;
    ui.messages.clear();
    for (const auto& [name, at] : bad) mark(workbook->find_sheet(name), at.first, at.second);
    finish_verification(self);
  }
};

TEST(MarkCell, PaintsCountsAndLogsAfterTheCountOnTheSheetAndClearingOnlyPaintsWhite) {
  for (const char* name : {"Deductor Details", "DEDUCTOR details"}) {
    Harness h(name);
    h.self.deductor_sheet->store_value(1, 31, T("4 lines"));  // its leading number counts
    h.mark(h.challan, 7, 11);
    h.mark(h.self.deductor_sheet, 2, 2);  // here the caption is the row label
    h.mark(h.challan, 8, 3);
    EXPECT_EQ(h.challan->interior_color(7, 11), kColorError);
    EXPECT_EQ(h.self.error_count, 3);
    EXPECT_EQ(h.log(1, 31), N(7));
    EXPECT_EQ(h.line(5), (Line{T("Challan Details"), N(7), N(11), T("Date of Deposit")}));
    EXPECT_EQ(h.line(6), (Line{T(name), N(2), N(2), T("Name of Deductor")}));
    EXPECT_EQ(h.line(7), (Line{T("Challan Details"), N(8), N(3), {}}));  // no heading over column 3

    h.mark(h.challan, 7, 11, false);
    EXPECT_EQ(h.challan->interior_color(7, 11), kColorNone);
    EXPECT_EQ(h.self.error_count, 3);
    EXPECT_EQ(h.log(1, 31), N(7));
    EXPECT_TRUE(h.log(8, 32).is_empty());
    EXPECT_TRUE(h.ui.messages.empty());
  }
}

TEST(MarkCell, FailingStepsAreSkippedAndTheRestStillRun) {
  Harness h;
  h.mark(h.challan, 0, 11);  // a row off the sheet: the paint fails
  h.mark(h.challan, 0, 11, false);
  h.mark(nullptr, 7, 11);  // no sheet: the paint, the name and the caption fail
  EXPECT_EQ(h.self.error_count, 2);
  EXPECT_EQ(h.log(1, 31), N(2));
  EXPECT_EQ(h.line(1), (Line{T("Challan Details"), N(0), N(11), T("Date of Deposit")}));
  EXPECT_EQ(h.line(2), (Line{{}, N(7), N(11), {}}));

  ReturnObject unbound(return_class(Form::F26), Platform{h.ui, *h.clock});  // only the count rises
  MarkCell(unbound, 1, 1, true);
  MarkCell(unbound, 1, 1, false);
  EXPECT_EQ(unbound.error_count, 1);
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST(Verification, EmptyYearStopsBeforeAnyCheckAndAMissingSheetReachesTheCaller) {
  Harness h;
  h.self.deductor_sheet->store_value(30, 2, Variant());
  h.self.deductor_sheet->store_value(1, 31, N(9));
  h.self.error_count = 5;
  VerifyData_Vantor_ETDS(h.self, h.workbook);
  EXPECT_EQ(h.ui.messages,
            (std::vector<Message>{{"Select year Once Again !", "", msg_style::kPlain}}));
  EXPECT_EQ(h.log(1, 31), N(0));
  EXPECT_EQ(h.self.error_count, 5);
  EXPECT_EQ(h.self.financial_year, "");
  EXPECT_EQ(h.self.current_sheet, nullptr);  // no walk ran

  h.ui.messages.clear();
  EXPECT_EQ(fenwarx::testing::error_number_of([&] {
              VerifyData_Vantor_ETDS(h.self, layout({{"Challan Details", {}}}));
            }),
            err::kSubscript);
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST(Verification, RunsReportTheirErrorsAndOverwriteTheirOwnLogLines) {
  Harness h;
  h.run_finding(
      {{"Challan Details", {7, 4}}, {"Deductee Details", {3, 6}}, {"Deductor Details", {5, 2}}});
  EXPECT_EQ(h.ui.messages, std::vector<Message>{errors("3")});
  EXPECT_EQ(h.log(100, 101), T("Error"));
  EXPECT_EQ(h.self.current_sheet, h.self.deductor_sheet);
  EXPECT_EQ(h.challan->interior_color(7, 4), kColorError);
  EXPECT_EQ(h.log(1, 31), N(3));
  EXPECT_EQ(h.line(1), (Line{T("Challan Details"), N(7), N(4), T("Amount")}));
  EXPECT_EQ(h.line(2), (Line{T("Deductee Details"), N(3), N(6), T("PAN")}));
  EXPECT_EQ(h.line(3), (Line{T("Deductor Details"), N(5), N(2), {}}));  // no label on row 5

  h.run_finding({{"Deductee Details", {9, 6}}});  // the second run overwrites, older lines stay
  EXPECT_EQ(h.ui.messages, std::vector<Message>{errors("1")});
  EXPECT_EQ(h.log(1, 31), N(1));
  EXPECT_EQ(h.line(1), (Line{T("Deductee Details"), N(9), N(6), T("PAN")}));
  EXPECT_EQ(h.line(2), (Line{T("Deductee Details"), N(3), N(6), T("PAN")}));

  h.run_finding({});  // a clean run leaves the earlier error flag
  EXPECT_EQ(h.ui.messages, std::vector<Message>{kNoError});
  EXPECT_EQ(h.log(100, 101), T("Error"));
  EXPECT_EQ(h.log(1, 31), N(0));
}

}  // namespace
}  // namespace fenwarx
