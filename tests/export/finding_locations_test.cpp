// locate_findings: each record field leads back to the cell the export read it from.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "export/return_file_check.hpp"
#include "support/clean_return.hpp"

namespace fenwarx {
namespace {

using testing::with;
using Place = std::tuple<std::string, int, int>;

// Checks each {line, field} of one report against the workbook of `sheets`, as a
// finding and as a warning.
void expect_places(Form form, std::vector<LaidSheet> sheets, std::vector<CheckedChallan> challans,
                   const std::vector<std::tuple<long long, int, Place>>& cases) {
  CheckReport report;
  report.challans = std::move(challans);
  for (const auto& [line, field, place] : cases) {
    report.findings.push_back({line, field, "x", {}, 0, 0});
    report.warnings.push_back({line, field, "x", {}, 0, 0});
  }
  auto workbook = testing::memory_workbook(sheets);
  locate_findings(report, *workbook, form);
  for (std::size_t i = 0; i < cases.size(); ++i)
    for (const CheckFinding& f : {report.findings[i], report.warnings[i]}) {
      SCOPED_TRACE("line " + std::to_string(f.line) + ", field " + std::to_string(f.field));
      EXPECT_EQ(Place(f.sheet, f.row, f.column), std::get<2>(cases[i]));
    }
}

TEST(FindingLocations, Form26RecordsLeadBackToTheirCells) {
  // Challans 1 (row 4) and 2 (row 5). Deductee rows 4 and 6 name challan 1, row 3
  // challan 2; rows 5 and 8 are zero-rate 194C, row 7 zero-rate 194J.
  auto sheets = testing::clean_return(Form::F26, 6);
  auto& challans = sheets[testing::kChallanSheet].cells;
  challans = with(challans, testing::clean_challan(Form::F26, 5, "2"));
  auto& rows = sheets[testing::kDeducteeSheet].cells;
  rows = with(rows, {{3, 19, "2"},
                     {5, 9, "0"},
                     {5, 19, "0"},
                     {7, 1, "194J"},
                     {7, 9, "0"},
                     {7, 19, "0"},
                     {8, 9, "0"},
                     {8, 19, "0"}});
  const std::string deductor = "Deductor Details", challan = "Challan Details",
                    deductee = "Deductee Details";
  // Lines: CD 3 (DD 4, 5), CD 6 (DD 7), nil CD 8 (DD 9, 10), nil CD 11 (DD 12, 13).
  expect_places(
      Form::F26, sheets, {{3, false}, {6, false}, {8, true}, {11, true}},
      {
          {0, 0, {"", 0, 0}},         {1, 8, {deductor, 1, 2}},   {1, 5, {"", 0, 0}},
          {2, 15, {deductor, 2, 2}},  {2, 28, {deductor, 14, 2}}, {2, 33, {deductor, 17, 2}},
          {2, 43, {deductor, 43, 2}}, {2, 47, {"", 0, 0}},        {3, 0, {challan, 4, 0}},
          {3, 22, {challan, 4, 3}},   {3, 29, {challan, 4, 23}},  {3, 5, {challan, 4, 16}},
          {6, 21, {challan, 5, 2}},   {4, 10, {deductee, 4, 3}},  {5, 4, {deductee, 6, 19}},
          {5, 5, {deductee, 6, 0}},   {5, 19, {deductee, 6, 16}}, {5, 26, {deductee, 6, 9}},
          {7, 17, {deductee, 3, 14}}, {8, 18, {deductor, 31, 2}}, {8, 5, {"", 0, 0}},
          {10, 13, {deductee, 8, 5}}, {11, 21, {deductee, 7, 1}}, {12, 22, {deductee, 7, 6}},
          {13, 10, {"", 0, 0}},
      });
}

// A zero-rate row that names a real challan is written under it, not under the
// nil challan of its section: rows 3 and 4 name challan 1, row 4 and row 5 (which
// names none) are zero-rate 194C. Lines: CD 3 (DD 4, 5), nil CD 6 (DD 7).
TEST(FindingLocations, AZeroRateRowUnderARealChallanIsFoundThere) {
  auto sheets = testing::clean_return(Form::F26, 3);
  auto& rows = sheets[testing::kDeducteeSheet].cells;
  rows = with(rows, {{4, 9, "0"}, {5, 9, "0"}, {5, 19, "0"}});
  const std::string deductee = "Deductee Details";
  expect_places(Form::F26, sheets, {{3, false}, {6, true}},
                {{5, 13, {deductee, 4, 5}}, {6, 21, {deductee, 5, 1}}, {7, 13, {deductee, 5, 5}}});
}

// Form 24 keeps its challan columns one place to the left and its deductee
// columns elsewhere; the deductor's category gives its challans' section, the
// quarter its nil challan's date. No deductee record follows its nil challan.
TEST(FindingLocations, Form24Columns) {
  auto sheets = testing::clean_return(Form::F24, 2);
  const std::string deductor = "Deductor Details", challan = "Challan Details",
                    deductee = "Deductee Details";
  expect_places(Form::F24, sheets, {{3, false}, {6, true}},
                {
                    {2, 32, {deductor, 16, 2}},
                    {2, 49, {"", 0, 0}},
                    {3, 22, {challan, 4, 2}},
                    {3, 21, {deductor, 16, 2}},
                    {3, 4, {challan, 4, 1}},
                    {4, 10, {deductee, 3, 4}},
                    {5, 14, {deductee, 4, 8}},
                    {5, 4, {deductee, 4, 12}},
                    {5, 25, {deductee, 4, 15}},
                    {5, 26, {deductee, 4, 0}},
                    {6, 18, {deductor, 32, 2}},
                    {6, 21, {deductor, 16, 2}},
                    {6, 5, {"", 0, 0}},
                    {7, 24, {"", 0, 0}},
                });
}

}  // namespace
}  // namespace fenwarx
