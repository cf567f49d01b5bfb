// The blank return workbook of each form: its sheets, the deductor sheet's labels
// and fixed cells, the tables' headings, the "State Code" rows and the drop-down
// lists, as the component and the package parts show them.
#include "templates/return_template.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "layout/code_lists.hpp"
#include "platform/clock/clock.hpp"
#include "platform/values/dates.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "platform/xlsx/zip_reader.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

struct Expected {
  Form form;
  std::vector<std::string> sheets;
  int year_row;
  std::string row29, row30, row31;            // labels
  std::string challan_column2, challan_last;  // headings
  int challan_columns, deductee_columns;
  std::string deductee_column6;
  // Lists a data column takes values from: "SHEET!RANGE=SOURCE".
  std::vector<std::string> lists;
};

const std::string kYes = "\"Y,N\"";
const std::vector<std::string> kDeductorSheets{"Deductor Details", "Challan Details",
                                               "Deductee Details", "State Code"};

// clang-format off
const Expected kForms[] = {
    {Form::F24,
     {"Deductor Details", "Challan Details", "Deductee Details", "Salary Details",
      "Perquisite Details", "State Code"},
     31, "Assessment Year", "Responsible Person's Address Changed (Y/N)", "Financial Year",
     "TDS (Rs.)", "Tax Deposited as per Deductees", 22, 16, "Date of Payment",
     {"2!K4:K65536=" + kYes, "3!P3:P65536=\"A,B\"", "4!M2:M65536=\"P,N\"",
      "4!AG2:AG65536=\"P,N\""}},
    {Form::F26, kDeductorSheets,
     30, "Assessment Year", "Financial Year", "Date of Nil Challans", "Section Code",
     "Tax Deposited as per Deductees", 23, 23, "Amount Paid (Rs.)",
     {"2!B4:B65536=\"193,194,194A,194B,194BB,194C,194D,194EE,194F,194G,194H,194I,194J,194K,"
      "194LA\"",
      "2!L4:L65536=" + kYes, "3!B3:B65536=\"1,2\"", "3!H3:H65536=" + kYes,
      "3!T3:T65536=\"A,B\""}},
    {Form::F27, kDeductorSheets,
     30, "Assessment Year", "Financial Year", "Date of Nil Challans", "Section Code",
     "Tax Deposited as per Deductees", 23, 23, "Amount Paid (Rs.)",
     {"2!B4:B65536=\"194E,195,196A,196B,196C,196D\"", "3!A3:A65536=\"194E,195,196A,196B,196C,196D\"",
      "3!J3:J65536=" + kYes}},
    {Form::F27EQ,
     {"Collector Details", "Challan Details", "Collectee Details", "State Code"},
     29, "Financial Year", "Assessment Year", "Date of Nil Challans", "Section Code",
     "Minor Head (A-I)", 24, 23, "Value of Purchase (Rs.)",
     {"2!B4:B65536=\"206C\"", "2!X4:X65536=\"A,B,C,D,E,F,G,H,I\"", "3!A3:A65536=\"206C\"",
      "3!U3:U65536=\"A,B\""}},
};
// clang-format on

std::string text_of(Worksheet& sheet, int row, int column) {
  return sheet.Cells(row, column).Value().to_text();
}

// The list validations of worksheet part N as "N!RANGE=SOURCE".
std::vector<std::string> lists_of(const ZipReader& zip, int sheet) {
  const std::string xml =
      zip.read(*zip.find("xl/worksheets/sheet" + std::to_string(sheet) + ".xml"));
  std::vector<std::string> lists;
  for (std::size_t at = 0; (at = xml.find("sqref=\"", at)) != std::string::npos;) {
    at += 7;
    const std::size_t range_end = xml.find('"', at);
    const std::size_t source = xml.find("<formula1>", range_end) + 10;
    lists.push_back(std::to_string(sheet) + "!" + xml.substr(at, range_end - at) + "=" +
                    xml.substr(source, xml.find("</formula1>", source) - source));
  }
  return lists;
}

class ReturnTemplateTest : public ::testing::TestWithParam<Expected> {};

TEST_P(ReturnTemplateTest, SheetsLabelsHeadingsAndLists) {
  const Expected& want = GetParam();
  const auto path = testing::scratch_dir() / "template.xlsx";
  // 31/03/2025 still falls in the financial year 2024-25.
  templates::write_return_template(
      path, want.form, *fixed_clock(serial_from_civil({.year = 2025, .month = 3, .day = 31})));
  auto book = XlsxWorkbook::open(path);
  ASSERT_EQ(book->sheet_names(), want.sheets);

  Worksheet& deductor = book->sheet(0);
  const bool collection = want.form == Form::F27EQ;
  // clang-format off
  const std::pair<int, std::string> labels[] = {
      {1, collection ? "TAN of the Collector" : "TAN of the Deductor"}, {10, "State"},
      {29, want.row29}, {30, want.row30}, {31, want.row31}, {32, "Quarter (Q1-Q4)"},
      {38, "Regular / Correction (R/C)"}, {43, "Remarks"}, {44, ""}};
  for (const auto& [row, label] : labels) EXPECT_EQ(text_of(deductor, row, 1), label) << row;
  for (int row = 33; row <= 37; ++row)
    EXPECT_EQ(text_of(deductor, row, 3), "Filled in by the verification") << "row " << row;
  EXPECT_EQ(deductor.Cells(want.year_row, 2).NumberFormat(), "@");
  const int assessment_row = want.year_row == 29 ? 30 : 29;
  EXPECT_EQ(text_of(deductor, want.year_row, 3), "Typed like 2024-25");
  EXPECT_EQ(text_of(deductor, assessment_row, 3), "Typed like 2025-26");
  // The error log's heading names its columns as the marker fills them: the
  // sheet in AD, the count in AE1, then row, column and caption.
  EXPECT_EQ(text_of(deductor, 1, 29), "Error log, columns AD to AH: sheet, count, row, column, caption");
  EXPECT_EQ(text_of(deductor, 1, 31), "0");
  EXPECT_TRUE(deductor.Cells(1, 2).Value().is_empty());

  Worksheet& challans = book->sheet(1);
  EXPECT_EQ(text_of(challans, 1, 1), "Sr. No.");
  EXPECT_EQ(text_of(challans, 1, 2), want.challan_column2);
  EXPECT_EQ(text_of(challans, 1, want.challan_columns), want.challan_last);
  EXPECT_EQ(text_of(challans, 1, want.challan_columns + 1), "");
  EXPECT_EQ(text_of(challans, 3, want.challan_columns), std::to_string(want.challan_columns));
  EXPECT_EQ(challans.last_row(), 3);

  Worksheet& deductees = book->sheet(2);
  EXPECT_EQ(text_of(deductees, 1, 6), want.deductee_column6);
  EXPECT_NE(text_of(deductees, 1, want.deductee_columns), "");
  EXPECT_EQ(text_of(deductees, 1, want.deductee_columns + 1), "");
  EXPECT_EQ(text_of(deductees, 2, want.deductee_columns), std::to_string(want.deductee_columns));
  EXPECT_EQ(deductees.last_row(), 2);

  Worksheet& states = book->sheet(book->sheet_count() - 1);
  EXPECT_EQ(states.last_row(), 36);
  for (int i = 0; i < 35; ++i) {
    EXPECT_EQ(states.Cells(i + 2, 1).Value().type(), VariantType::Text);
    EXPECT_EQ(text_of(states, i + 2, 1), (i < 9 ? "0" : "") + std::to_string(i + 1));
    EXPECT_EQ(text_of(states, i + 2, 2), kStateNames[static_cast<std::size_t>(i)]);
  }
  // clang-format on

  const ZipReader zip(path);
  const std::string formula =
      "<c r=\"CV100\"><f>LEFT(B" + std::to_string(want.year_row) + ",4)</f></c>";
  EXPECT_NE(zip.read(*zip.find("xl/worksheets/sheet1.xml")).find(formula), std::string::npos)
      << "no formula without a result";
  EXPECT_NE(zip.read(*zip.find("xl/workbook.xml")).find("fullCalcOnLoad=\"1\""), std::string::npos);
  std::vector<std::string> lists;
  for (int sheet = 1; sheet < static_cast<int>(want.sheets.size()); ++sheet)
    for (std::string& list : lists_of(zip, sheet)) lists.push_back(std::move(list));
  std::vector<std::string> expected = want.lists;
  expected.insert(expected.end(),
                  {"1!B10='State Code'!$B$2:$B$36", "1!B15=" + kYes,
                   "1!B16=\"A,S,D,E,G,H,L,N,K,M,P,T,J,B,Q,F,C,O\"", "1!B24='State Code'!$B$2:$B$36",
                   "1!B32=\"Q1,Q2,Q3,Q4\"", "1!B38=\"R,C\""});
  for (const std::string& list : expected)
    EXPECT_NE(std::find(lists.begin(), lists.end(), list), lists.end()) << list;
}

INSTANTIATE_TEST_SUITE_P(Forms, ReturnTemplateTest, ::testing::ValuesIn(kForms),
                         [](const auto& info) {
                           return std::string("Form") + std::string(form_name(info.param.form));
                         });

}  // namespace
}  // namespace fenwarx
