// fenwarx check: the findings and warnings as lines or JSON, traced to cells, and
// the exit codes; every return file our own export writes passes it clean.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/run_program.hpp"
#include "support/clean_return.hpp"
#include "support/test_paths.hpp"

namespace fenwarx {
namespace {

using testing::Outcome;
using testing::run_fenwarx;
using Args = std::vector<std::string>;

// A Form 26 nil return; `serial` and `date` go into its one challan record, `pin`
// into the batch header.
std::string nil_return(const std::string& serial, const std::string& date,
                       const std::string& pin = "") {
  std::string bh = "2^BH^1^1^26Q^^^^^^^^ABCD12345E^^ABCDE1234F^200607^200506^";
  for (int k = 18; k <= 52; ++k)
    bh += k == 46 || k == 51 ? "N^" : k == 47 ? "0.00^" : k == 27 ? pin + "^" : "^";
  return "1^FH^NS1^R^15062006^1^D^ABCD12345E^1^^^^^^^\r\n" + bh + "\r\n3^CD^1^" + serial +
         "^0^Y^^^^^^^^^^^^" + date +
         "^^^193^0.00^0.00^0.00^0.00^0.00^0.00^^0.00^0.00^0.00^0.00^0.00^0.00^0.00^^^^\r\n";
}

// Findings trace to cells with --workbook; a warning prints after the findings and
// counts towards the exit code only with --strict, its cell found as a finding's is.
TEST(CheckCommand, FindingsWarningsExitCodesAndJson) {
  const auto dir = testing::scratch_dir();
  const std::string clean = (dir / "clean.txt").string(), bad = (dir / "bad.txt").string(),
                    warned = (dir / "warned.txt").string(), both = (dir / "both.txt").string(),
                    book = (dir / "r.xlsx").string(), absent = (dir / "absent.txt").string(),
                    plain = (dir / "plain.xlsx").string();
  std::ofstream(clean, std::ios::binary) << nil_return("1", "30062005", "110001");
  std::ofstream(bad, std::ios::binary) << nil_return("2", "31062005");
  std::ofstream(warned, std::ios::binary) << nil_return("1", "30062005", "11000");
  std::ofstream(both, std::ios::binary) << nil_return("2", "30062005", "11000");
  testing::write_workbook(book, testing::clean_return(Form::F26));
  testing::write_workbook(plain, {{"Sheet1", {}}});
  const std::string date_finding = "line 3, field 18: \"31062005\" is not a date (ddMMyyyy)";
  const std::string pin = "warning: line 2, field 27: PIN \"11000\" is not six digits";
  const std::string serial = "line 3, field 4: challan serial 2, expected 1\n";
  const std::string nothing =
      "{\n  \"lines\": 3,\n  \"findings\": [],\n  \"warnings\": [],\n  \"failure\": null\n}\n";
  // clang-format off
  testing::expect_runs({
      {{"check", clean}, 0, "3 lines, 0 findings\n", ""},
      {{"check", clean, "--json"}, 0, nothing, ""},
      {{"check", bad}, 1, serial + date_finding + "\n3 lines, 2 findings\n", ""},
      // A nil challan's date is the deductor's row 31.
      {{"check", bad, "--workbook", book, "--form", "26"}, 1,
       serial + date_finding + " (Deductor Details row 31, column 2)\n3 lines, 2 findings\n", ""},
      {{"check", bad, "--workbook", book, "--json"}, 1,
       "{\n  \"lines\": 3,\n  \"findings\": [\n"
       R"(    {"line": 3, "field": 4, "message": "challan serial 2, expected 1", "sheet": null, )"
       R"("row": null, "column": null},)" "\n"
       R"j(    {"line": 3, "field": 18, "message": "\"31062005\" is not a date (ddMMyyyy)", )j"
       R"j("sheet": "Deductor Details", "row": 31, "column": 2})j"
       "\n  ],\n  \"warnings\": [],\n  \"failure\": null\n}\n", ""},
      {{"check", warned}, 0, pin + "\n3 lines, 0 findings, 1 warning\n", ""},
      {{"check", warned, "--strict"}, 1, pin + "\n3 lines, 0 findings, 1 warning\n", ""},
      {{"check", clean, "--strict"}, 0, "3 lines, 0 findings\n", ""},
      {{"check", both}, 1, serial + pin + "\n3 lines, 1 finding, 1 warning\n", ""},
      {{"check", warned, "--workbook", book}, 0,
       pin + " (Deductor Details row 11, column 2)\n3 lines, 0 findings, 1 warning\n", ""},
      {{"check", warned, "--workbook", book, "--json", "--strict"}, 1,
       "{\n  \"lines\": 3,\n  \"findings\": [],\n  \"warnings\": [\n"
       R"j(    {"line": 2, "field": 27, "message": "PIN \"11000\" is not six digits", )j"
       R"j("sheet": "Deductor Details", "row": 11, "column": 2})j"
       "\n  ],\n  \"failure\": null\n}\n", ""},
      {{"check", absent}, 3, "", "fenwarx: error 53: File not found: " + absent + "\n"},
      // With --json the object comes whatever stopped the check.
      {{"check", "--json", clean, "--workbook", plain}, 2, nothing,
       "fenwarx: cannot tell the form of " + plain + "; give --form 24|26|27|27EQ\n"},
      {{"check", "--json", absent}, 3,
       "{\n  \"lines\": 0,\n  \"findings\": [],\n  \"warnings\": [],\n  \"failure\": {\"number\": "
       "53, \"description\": \"File not found: " + absent + "\"}\n}\n",
       "fenwarx: error 53: File not found: " + absent + "\n"},
  });
  // clang-format on
  for (const Args& args : std::vector<Args>{{"check"},
                                            {"check", clean, "--form", "26"},
                                            {"check", clean, "--workbook", book, "--form", "25"}}) {
    SCOPED_TRACE(::testing::PrintToString(args));
    EXPECT_EQ(run_fenwarx(args).exit_code, 2);
  }
}

// The bundled examples and a generated return of each form, written by our own
// export: the checker finds neither a finding nor a warning.
TEST(CheckCommand, OurOwnExportsPassStrictly) {
  namespace fs = std::filesystem;
  const fs::path dir = testing::scratch_dir();
  const fs::path examples = fs::path(FENWARX_FIXTURES) / ".." / ".." / "examples";
  const bool generates = fs::exists(FENWARX_BENCH_TOOL);
  for (const auto& [form, example] : {std::pair<std::string, std::string>{"24", "form24"},
                                      {"26", "form26"},
                                      {"27", "form27"},
                                      {"27EQ", "form27eq"}}) {
    std::vector<fs::path> books{examples / (example + "-return.xlsx")};
    if (generates) {
      books.push_back(dir / ("generated" + form + ".xlsx"));
      const Outcome made = testing::run_program(
          FENWARX_BENCH_TOOL, {"generate", "--form", form, "--deductees", "300", "--challans", "7",
                               books.back().string()});
      ASSERT_EQ(made.exit_code, 0) << made.err;
    }
    for (const fs::path& book : books) {
      SCOPED_TRACE(book.string());
      const fs::path out = dir / ("out-" + book.stem().string());
      fs::create_directory(out);
      const Outcome exported = run_fenwarx({"export", "--today", "2006-06-15", "--out-dir",
                                            out.string(), "--no-save", book.string()});
      ASSERT_EQ(exported.exit_code, 0) << exported.out << exported.err;
      const std::string file = (out / ("eTDS" + form + ".txt")).string();
      const Outcome checked = run_fenwarx({"check", file, "--workbook", book.string(), "--strict"});
      EXPECT_EQ(checked.exit_code, 0);
      EXPECT_TRUE(checked.out.ends_with(" lines, 0 findings\n")) << checked.out;
    }
  }
}

}  // namespace
}  // namespace fenwarx
