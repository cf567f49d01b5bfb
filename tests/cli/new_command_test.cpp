// fenwarx new: the blank template as a user gets it, typed into and verified.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "cli/run_program.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

using testing::Outcome;
using testing::run_fenwarx;
using Args = std::vector<std::string>;

TEST(NewCommand, WritesRefusesAndReplaces) {
  const auto dir = testing::scratch_dir();
  const std::string book = (dir / "r.xlsx").string(), macro = (dir / "r.xlsm").string(),
                    nowhere = (dir / "absent" / "r.xlsx").string();
  const struct {
    Args args;
    int exit_code;
    std::string out, err;
  } cases[] = {
      {{"new", "--form", "27eq", book}, 0, book + ": blank Form 27EQ return workbook\n", ""},
      {{"new", "--form", "26", book}, 2, "", "fenwarx: " + book + " exists; give --force to replace it\n"},
      {{"new", "--form", "26", book, "--force"}, 0, book + ": blank Form 26 return workbook\n", ""},
      {{"new", "--form", "26", macro}, 2, "",
       "fenwarx: " + macro + ": a new return workbook is an .xlsx file\n"},
      {{"new", "--form", "25", macro}, 2, "", "fenwarx: --form takes 24, 26, 27 or 27EQ, not 25\n"},
      {{"new", "--form", "24", nowhere}, 3, "",
       "fenwarx: error 76: Path not found: " + (dir / "absent").string() + "\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const Outcome run = run_fenwarx(c.args);
    EXPECT_EQ(run.exit_code, c.exit_code);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
  }
  EXPECT_FALSE(std::filesystem::exists(macro));
  EXPECT_EQ(XlsxWorkbook::open(book)->sheet_names(),
            (std::vector<std::string>{"Deductor Details", "Challan Details", "Deductee Details",
                                      "State Code"}));
  for (const Args& usage : {Args{"new", book}, Args{"new", "--form", "26"}})
    EXPECT_EQ(run_fenwarx(usage).exit_code, 2);
}

using Typed = std::vector<std::tuple<int, int, const char*>>;

void type_into(Worksheet& sheet, const Typed& cells) {
  for (auto [row, column, text] : cells) sheet.Cells(row, column).SetValue(Variant::text(text));
}

// A Form 26 return typed into the blank template as a user would: the year stays
// text, amounts and dates become numbers and dates, and the verification passes.
TEST(NewCommand, TypedTemplateVerifiesClean) {
  const auto dir = testing::scratch_dir();
  const std::string book = (dir / "typed.xlsx").string();
  ASSERT_EQ(run_fenwarx({"new", "--form", "26", book}).exit_code, 0);
  {
    auto wb = XlsxWorkbook::open(book);
    type_into(wb->Worksheets("Deductor Details"),
              {{1, 2, "DELS12345F"}, {2, 2, "AAACS1234K"}, {3, 2, "Sunrise Works"},
               {5, 2, "14 Pusa Road"}, {10, 2, "DELHI"}, {11, 2, "110005"}, {16, 2, "K"},
               {17, 2, "Rajesh Malhotra"}, {18, 2, "Manager"}, {19, 2, "B-22"},
               {24, 2, "DELHI"}, {25, 2, "110016"}, {30, 2, "2005-06"}, {32, 2, "Q1"},
               {38, 2, "R"}});
    type_into(wb->Worksheets("Challan Details"),
              {{4, 1, "1"}, {4, 2, "194C"}, {4, 3, "200"}, {4, 4, "0"}, {4, 5, "4"}, {4, 6, "0"},
               {4, 7, "0"}, {4, 8, "204"}, {4, 10, "0510002"}, {4, 11, "29/04/2005"},
               {4, 12, "N"}, {4, 13, "12345"}});
    type_into(wb->Worksheets("Deductee Details"),
              {{3, 1, "194C"}, {3, 2, "2"}, {3, 3, "ABCPK1234L"}, {3, 5, "Kiran Kumar"},
               {3, 6, "20000"}, {3, 7, "06/04/2005"}, {3, 8, "N"}, {3, 9, "1"}, {3, 11, "200"},
               {3, 12, "0"}, {3, 13, "4"}, {3, 14, "204"}, {3, 15, "06/04/2005"},
               {3, 16, "204"}, {3, 17, "0510002"}, {3, 18, "29/04/2005"}, {3, 19, "1"}});
    Worksheet& deductor = wb->Worksheets("Deductor Details");
    EXPECT_EQ(deductor.Cells(30, 2).Value().type(), VariantType::Text);
    EXPECT_EQ(wb->Worksheets("Deductee Details").Cells(3, 6).Value().type(), VariantType::Number);
    EXPECT_EQ(wb->Worksheets("Challan Details").Cells(4, 11).Value().type(), VariantType::Date);
    wb->save();
  }
  const Outcome verified = run_fenwarx({"verify", "--today", "2026-12-07", book});
  EXPECT_EQ(verified.exit_code, 0) << verified.out << verified.err;
  EXPECT_EQ(verified.out, "[info]  Verificaton Sucess ! : No error.\n");
  auto wb = XlsxWorkbook::open(book);
  EXPECT_EQ(wb->Worksheets("Deductor Details").Cells(37, 2).Value().to_text(), "1");
}

// With no section code on the challan sheet, the deductee rows tell the form.
TEST(NewCommand, FormToldByDeducteeSectionsWhenChallansHaveNone) {
  const auto dir = testing::scratch_dir();
  const std::string book = (dir / "nonresident.xlsx").string();
  ASSERT_EQ(run_fenwarx({"new", "--form", "26", book}).exit_code, 0);
  {
    auto wb = XlsxWorkbook::open(book);
    type_into(wb->Worksheets("Deductor Details"), {{30, 2, "2005-06"}});
    type_into(wb->Worksheets("Deductee Details"), {{3, 1, "196A"}});
    wb->save();
  }
  const Outcome run = run_fenwarx({"verify", "--json", "--no-save", book});
  EXPECT_EQ(run.exit_code, 1) << run.err;
  EXPECT_EQ(run.err, "");
  // Form 27 admits 196A; Form 26 would have marked it.
  EXPECT_NE(run.out.find("\"errors\": "), std::string::npos);
  EXPECT_EQ(run.out.find("\"Deductee Details\", \"row\": 3, \"column\": 1,"), std::string::npos)
      << run.out;
}

}  // namespace
}  // namespace fenwarx
