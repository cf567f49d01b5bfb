// fenwarx verify and fenwarx call end to end: messages, JSON, exit codes, form
// detection, and what the saved workbook holds afterwards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "cli/run_program.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "support/clean_return.hpp"
#include "support/test_paths.hpp"

namespace fenwarx::testing {
namespace {

using Texts = std::vector<std::string>;  // arguments, or sheet names
using Entries = std::vector<std::tuple<std::string, int, int, std::string>>;  // sheet, row, column

const std::string kDeductor = "Deductor Details", kChallan = "Challan Details";
const Texts kForm26{kDeductor, kChallan, "Deductee Details"};
const std::string kSuccess = "[info]  Verificaton Sucess ! : No error.\n";

// The message box, then the note that says which cell wants the year.
std::string no_year(int row) {
  return "[message] Select year Once Again !\nthe financial year cell Deductor Details!B" +
         std::to_string(row) + " is empty\n";
}

// A workbook of these sheets with these cells typed in, saved at `path`.
std::string make_workbook(const std::filesystem::path& path, const Entries& entries,
                          const Texts& sheets = kForm26) {
  auto wb = XlsxWorkbook::create(sheets);
  for (const auto& [sheet, row, column, text] : entries)
    wb->Worksheets(sheet).Cells(row, column).SetValue(Variant::text(text));
  wb->save_as(path);
  return path.string();
}

// A clean return of `form` with `changes` typed over its deductor sheet, saved at `path`.
std::string clean_workbook(const std::filesystem::path& path, Form form,
                           const Cells& changes = {}) {
  auto sheets = clean_return(form);
  sheets[kDeductorSheet].cells = with(sheets[kDeductorSheet].cells, changes);
  write_workbook(path, sheets);
  return path.string();
}

std::string replace_all(std::string text, const std::string& what, const std::string& with) {
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
    text.replace(at, what.size(), with);
  return text;
}

// The JSON of one clean verify run, against the golden copy (saved path as <dir>),
// and the flag the macros leave after it. FENWARX_UPDATE_GOLDEN=1 rewrites the copy.
TEST(VerifyCommand, JsonOfACleanRunMatchesTheGoldenCopy) {
  const auto dir = scratch_dir();
  const std::string book = clean_workbook(dir / "return.xlsx", Form::F26);
  const Outcome run = run_program(FENWARX_CLI, {"verify", "--json", "--today", "2006-01-15", book});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err, "");
  const std::string json = replace_all(run.out, dir.string(), "<dir>");
  const auto golden = std::filesystem::path(FENWARX_FIXTURES) / "../cli/golden/verify_clean.json";
  if (std::getenv("FENWARX_UPDATE_GOLDEN")) std::ofstream(golden, std::ios::binary) << json;
  EXPECT_EQ(json, slurp(golden));
  EXPECT_EQ(flag_of(book), "Verified");
}

// 0 done, 1 errors counted or the run refused, 2 a usage error, 3 a failure of the
// component. An err of "*" is the parser's own message; {W} is the last argument.
TEST(VerifyCallCommands, ExitCodesAndWhatTheyPrint) {
  const auto dir = scratch_dir();
  int n = 0;
  const auto next = [&] { return dir / ("w" + std::to_string(++n) + ".xlsx"); };
  const auto workbook = [&](const Entries& entries, const Texts& sheets = kForm26) {
    return make_workbook(next(), entries, sheets);
  };
  const auto clean = [&](Form form, const Cells& changes = {}) {
    return clean_workbook(next(), form, changes);
  };
  const std::string book = clean_workbook(dir / "return.xlsx", Form::F26), before = slurp(book),
                    no_year_book = clean_workbook(dir / "no_year.xlsx", Form::F26, {{30, 2, ""}}),
                    out = (dir / "out.xlsx").string();
  const std::string p26 = "Fenwarx.clsExport26", verify = "VerifyData_Vantor_ETDS",
                    between = "fenwarx: every \",\" must stand between two members\n",
                    e438 = "fenwarx: error 438: Object doesn't support this property or method\n",
                    salary = "fenwarx: --salary applies to Form 24 only; {W} is Form ",
                    unknown = "fenwarx: cannot tell the form of {W}; give --form 24|26|27|27EQ\n";
  // clang-format off
  const struct {
    Texts args;
    int exit_code;
    std::string out, err = "";
    const char* today = nullptr;  // FENWARX_TODAY, which stands in for --today
  } cases[] = {
      {{"call", p26, "AddZero", "12.50", "6", ",", "GetVersion", ",", "xplace", "a-b-c", "-", "--"},
       0, "001250\n2.2D \na--b--c\n"},
      // Messages print when shown, between the results around them.
      {{"call", "Fenwarx.clsExport27", "AddZero", "5", "3", ",", "AddZero", "12345", "2"}, 0,
       "005\n[critical]  Check Value and Correct according to format : Data Not Entered in "
       "Correct format at Row 0, Column 0 Entered as  12345 in \rInvalid procedure call or "
       "argument\n\n"},
      // Every text reaches the JSON escaped; bytes that are not UTF-8 become U+FFFD.
      {{"call", "--json", p26, "xplace", "q\"b\\s\x01t\tn\n\xff\xc3\xa9\xe2\x82\xac", "#", "!"}, 0,
       "{\n  \"messages\": [],\n  \"errors\": 0,\n  \"log\": [],\n  \"results\": [\n"
       "    \"q\\\"b\\\\s\\u0001t\\tn\\n\\ufffd\xc3\xa9\xe2\x82\xac\"\n  ],\n"
       "  \"form\": \"26\",\n  \"return_file\": null,\n  \"saved\": null,\n  \"failure\": null\n}\n"},
      {{"verify", "--today", "2006-01-15", "-o", out, book}, 0, kSuccess},
      {{"verify", "--no-save", book}, 0, kSuccess},  {{"verify", no_year_book}, 1, no_year(30)},
      {{"verify", "--json", "--no-save", no_year_book}, 1, "{\n  \"messages\": [\n"
       "    {\"text\": \"Select year Once Again !\", \"title\": \"\", \"style\": 0}\n"
       "  ],\n  \"errors\": 0,\n  \"log\": [],\n  \"notes\": [\n"
       "    \"the financial year cell Deductor Details!B30 is empty\"\n  ],\n"
       "  \"form\": \"26\",\n  \"return_file\": null,\n  \"saved\": null,\n  \"failure\": null\n}\n"},
      {{"verify"}, 2, "", "*"},  {{"verify", "--form", "25", book}, 2, "", "*"},
      {{"verify", "-o", "x.xlsx", "--no-save", book}, 2, "", "*"},
      {{"verify", "--today", "2006-02-30", book}, 2, "", "*"},
      {{"verify", "--no-save", book}, 2, "",
       "--today: not a date like 2024-03-31: 2006-13-01\nRun with --help for more information.\n",
       "2006-13-01"},
      {{"call"}, 2, "", "fenwarx: give PROGID MEMBER [ARG...]\n"},
      {{"call", p26}, 2, "", between},  {{"call", p26, "GetVersion", ","}, 2, "", between},
      {{"call", p26, "GetVersion", ",", ",", "GetVersion"}, 2, "", between},
      {{"call", p26, verify, "@workbook"}, 2, "", "fenwarx: @workbook needs --workbook W\n"},
      {{"call", p26, "Frobnicate"}, 3, "", e438},
      {{"call", "--workbook", book, p26, verify, "@workbook", ",", "Nope"}, 3, kSuccess, e438},
      // The form decides the financial-year row (29 for 27EQ, 31 for 24, 30 otherwise),
      // the section codes a row may hold and whether --salary applies, so each shows
      // which form was taken.
      {{"verify", "--no-save", clean(Form::F27EQ)}, 0, kSuccess},
      {{"verify", "--no-save", clean(Form::F24)}, 0, kSuccess},
      {{"verify", "--no-save", clean(Form::F24, {{31, 2, ""}, {30, 2, "2005"}})}, 1, no_year(31)},
      {{"verify", "--no-save", clean(Form::F27)}, 0, kSuccess},
      // Resident and non-resident codes, in any case, below an empty first row.
      {{"verify", "--salary", workbook({{kChallan, 4, 2, " 194c "}})}, 2, "", salary + "26\n"},
      {{"verify", "--salary", workbook({{kChallan, 5, 2, "196a"}, {kChallan, 6, 2, "194C"}})}, 2,
       "", salary + "27\n"},
      {{"verify", "--salary", workbook({{kChallan, 4, 2, "End of Data"}, {kChallan, 9, 2, "195"}})},
       2, "", salary + "27\n"},
      {{"verify", "--salary", "--form", "26", workbook({{kChallan, 4, 2, "195"}})}, 2, "",
       salary + "26\n"},  // --form wins over what the sheets show
      // With no section code on the challan sheet, the deductee rows tell the form.
      {{"verify", "--salary", workbook({{"Deductee Details", 3, 1, "196A"}})}, 2, "",
       salary + "27\n"},
      {{"verify", workbook({{kChallan, 4, 2, "192"}})}, 2, "", unknown},
      {{"verify", workbook({}, {kDeductor})}, 2, "", unknown},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    if (c.today) ::setenv("FENWARX_TODAY", c.today, 1);
    const Outcome run = run_program(FENWARX_CLI, c.args);
    ::unsetenv("FENWARX_TODAY");
    EXPECT_EQ(run.exit_code, c.exit_code);
    EXPECT_EQ(run.out, c.out);
    const std::string err = replace_all(c.err, "{W}", c.args.back());
    EXPECT_TRUE(c.err == "*" ? !run.err.empty() : run.err == err) << run.err;
  }
  // Only a save in place writes the workbook; a refused run saves no flag.
  EXPECT_EQ(slurp(book), before);
  EXPECT_EQ(flag_of(out), "Verified");
  EXPECT_EQ(flag_of(no_year_book), "");
  EXPECT_EQ(XlsxWorkbook::open(no_year_book)->Worksheets(kDeductor).Cells(1, 31).ValueText(),
            "0");  // but the binding's log count
}

// verify --salary: the verification, then the salary sheets on the same object. Their
// count follows the verification's message; the findings of both runs are listed (the
// salary run repeats the challan check, so a challan error shows twice); "Verified"
// only when neither found anything, "Error" when either did; a failure saves nothing.
TEST(VerifyCommand, SalaryRunsAfterTheVerificationAndReportsBoth) {
  const auto dir = scratch_dir();
  const std::string salary_clean = "[info] The salary sheets contain no error.\n",
                    salary_one = "[info] The salary sheets contain 1 errors(s).\n",
                    sign =
                        "Salary Details!M2 (H13): not P or N: P adds the amount beside it, N "
                        "subtracts it\n",
                    bsr = "Challan Details!I4 (H9): a BSR code of more than 7 characters\n";
  const Cells bad_sign{{2, 13, "X"}, {2, 14, "500"}};
  const struct {
    Cells salaries, deductees = {}, challans = {};
    bool perquisite_sheet = true;
    Texts options = {};
    int exit_code;
    std::string out, err = "", flag = "";
  } cases[] = {
      // clang-format off
      {.salaries = clean_salary(), .exit_code = 0, .out = kSuccess + salary_clean,
       .flag = "Verified"},
      {.salaries = {}, .exit_code = 0, .out = kSuccess + salary_clean, .flag = "Verified"},
      {.salaries = with(clean_salary(), bad_sign), .exit_code = 1,
       .out = kSuccess + salary_one + sign, .flag = "Error"},
      {.salaries = with(clean_salary(), bad_sign), .deductees = {{3, 4, "ABC"}}, .exit_code = 1,
       .out = "[info] This sheet contains 1 errors(s).\n" + salary_one +
              "Deductee Details!D3 (H4): not a PAN: five letters, four digits, a letter\n" + sign,
       .flag = "Error"},
      {.salaries = clean_salary(), .challans = {{4, 9, "BSR00011"}}, .exit_code = 1,
       .out = "[info] This sheet contains 1 errors(s).\n" + salary_clean + bsr + bsr,
       .flag = "Error"},
      {.salaries = with(clean_salary(), bad_sign), .options = {"--json"}, .exit_code = 1,
       .out = "{\n  \"messages\": [\n    {\"text\": \"No error.\", \"title\": "
              "\" Verificaton Sucess ! \", \"style\": 64},\n    {\"text\": \"The salary sheets "
              "contain 1 errors(s).\", \"title\": \"\", \"style\": 64}\n  ],\n  \"errors\": 1,\n"
              "  \"log\": [\n    {\"sheet\": \"Salary Details\", \"row\": 2, \"column\": 13, "
              "\"address\": \"M2\", \"caption\": \"H13\", \"rule\": \"not P or N: P adds the "
              "amount beside it, N subtracts it\"}\n  ],\n  \"form\": \"24\",\n  \"return_file\": null,\n"
              "  \"saved\": \"{W}\",\n  \"failure\": null\n}\n",
       .flag = "Error"},
      {.salaries = clean_salary(), .perquisite_sheet = false, .exit_code = 3, .out = kSuccess,
       .err = "fenwarx: error 9: Subscript out of range: the workbook has no sheet "
              "'Perquisite Details'\n"},
      // clang-format on
  };
  int n = 0;
  for (const auto& c : cases) {
    const std::filesystem::path path = dir / ("salary" + std::to_string(++n) + ".xlsx");
    SCOPED_TRACE(path.filename().string());
    auto sheets = clean_return(Form::F24);
    sheets[kSalarySheet].cells = with(sheets[kSalarySheet].cells, c.salaries);
    sheets[kDeducteeSheet].cells = with(sheets[kDeducteeSheet].cells, c.deductees);
    sheets[kChallanSheet].cells = with(sheets[kChallanSheet].cells, c.challans);
    if (!c.perquisite_sheet) sheets.erase(sheets.begin() + kPerquisiteSheet);
    write_workbook(path, sheets);
    const std::string before = slurp(path);
    Texts args{"verify", "--salary", "--today", "2006-06-15"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.push_back(path.string());
    const Outcome run = run_program(FENWARX_CLI, args);
    EXPECT_EQ(run.exit_code, c.exit_code);
    EXPECT_EQ(run.out, replace_all(c.out, "{W}", path.string()));
    EXPECT_EQ(run.err, c.err);
    if (c.exit_code == 3)
      EXPECT_EQ(slurp(path), before) << "saved after a failure";
    else
      EXPECT_EQ(flag_of(path), c.flag);
  }
}

// A validator after the binding run rewrites, marks and logs a deductor cell; the
// JSON carries the log and the saved path, and the saved workbook shows all three.
TEST(CallCommand, ValidatorsAfterTheBindingRunMarkTheSavedWorkbook) {
  const std::string caption = "PAN \"of\" the deductor";
  const std::string book = clean_workbook(scratch_dir() / "return.xlsx", Form::F26,
                                          {{3, 1, caption}, {3, 2, "abcd 1234 f"}});
  const Outcome run =
      run_program(FENWARX_CLI, {"call", "--json", "--today", "2006-01-15", "--workbook", book,
                                "Fenwarx.clsExport26", "VerifyData_Vantor_ETDS", "@workbook", ",",
                                "CheckPan10", "3", "2"});
  EXPECT_EQ(run.exit_code, 1);  // the object counted an error
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "{\n  \"messages\": [\n    {\"text\": \"No error.\", \"title\": \" Verificaton Sucess"
            " ! \", \"style\": 64}\n  ],\n  \"errors\": 1,\n  \"log\": [\n    {\"sheet\": "
            "\"Deductor Details\", \"row\": 3, \"column\": 2, \"address\": \"B3\", "
            "\"caption\": \"PAN \\\"of\\\" the deductor\", \"rule\": \"not a PAN: five "
            "letters, four digits, a letter\"}\n  ],\n  \"results\": [],\n  \"form\": \"26\",\n"
            "  \"return_file\": "
            "null,\n  \"saved\": \"" +
                book + "\",\n  \"failure\": null\n}\n");
  auto saved = XlsxWorkbook::open(book);
  Worksheet& deductor = saved->Worksheets(kDeductor);
  EXPECT_EQ(deductor.Cells(3, 2).Value().to_text(), "ABCD1234F");
  EXPECT_EQ(deductor.Cells(3, 2).InteriorColor(), kColorError);
  EXPECT_EQ(deductor.Cells(static_cast<int>(deductor.Cells(1, 31).Value().to_number()), 34)
                .Value()
                .to_text(),
            caption);                                         // the log line was saved too
  EXPECT_EQ(deductor.Cells(100, 101).Value().to_text(), "");  // flagged by verify only
}

}  // namespace
}  // namespace fenwarx::testing
