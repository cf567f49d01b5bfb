// What the commands print when they cannot run as asked: a failure (exit 3) or a
// usage problem found once the arguments are parsed (exit 2) on standard error,
// with --json the one object on standard output all the same; -o keeping the
// workbook's kind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/run_program.hpp"
#include "support/clean_return.hpp"
#include "support/test_paths.hpp"

namespace fenwarx::testing {
namespace {

namespace fs = std::filesystem;

const std::string kP26 = "Fenwarx.clsExport26";

// The object of a run that stopped before it did anything; `failure` as printed,
// the form it took (none when empty).
std::string report(const std::string& failure, bool results = false, const std::string& form = "") {
  return std::string("{\n  \"messages\": [],\n  \"errors\": 0,\n  \"log\": [],\n") +
         (results ? "  \"results\": [],\n" : "") +
         "  \"form\": " + (form.empty() ? "null" : "\"" + form + "\"") +
         ",\n  \"return_file\": null,\n  \"saved\": null,\n  \"failure\": " + failure + "\n}\n";
}

std::string failure(int number, const std::string& description) {
  return "{\"number\": " + std::to_string(number) + ", \"description\": \"" + description + "\"}";
}

// A member that raises a run-time error stops the calls: exit 3 with the error,
// and with --json the results so far and the failure in the object.
TEST(CallFailures, AMemberThatFailsExitsThreeAndEveryExitPrintsTheObject) {
  const fs::path dir = scratch_dir();
  const std::string file = (dir / "eTDS26.txt").string(), missing = "File not found: " + file,
                    empty =
                        "a member's name is empty; name the member to call after PROGID and "
                        "after each \",\"";
  ::setenv("FENWARX_OUT_DIR", dir.c_str(), 1);
  ::unsetenv("FENWARX_VALIDATOR");
  // clang-format off
  expect_runs({
      {{"call", kP26, "Validation_ReturnFile"}, 3, "", "fenwarx: error 53: " + missing + "\n"},
      {{"call", "--json", kP26, "GetVersion", ",", "Validation_ReturnFile"}, 3,
       "{\n  \"messages\": [],\n  \"errors\": 0,\n  \"log\": [],\n  \"results\": [\n"
       "    \"2.2D \"\n  ],\n  \"form\": \"26\",\n  \"return_file\": null,\n  \"saved\": null,\n  \"failure\": " +
           failure(53, missing) + "\n}\n",
       "fenwarx: error 53: " + missing + "\n"},
      {{"call", "--json", kP26, "Nope"}, 3,
       report(failure(438, "Object doesn't support this property or method"), true, "26"),
       "fenwarx: error 438: Object doesn't support this property or method\n"},
      // Usage problems the parser leaves to the command.
      {{"call", kP26, ""}, 2, "", "fenwarx: " + empty + "\n"},
      {{"call", kP26, "GetVersion", ",", "", "1"}, 2, "", "fenwarx: " + empty + "\n"},
      {{"call", "--json", kP26, "GetVersion", ","}, 2, report("null", true),
       "fenwarx: every \",\" must stand between two members\n"},
      {{"call", "--json", "", "GetVersion"}, 2, report("null", true),
       "fenwarx: give PROGID MEMBER [ARG...]\n"},
      {{"call", "--json", kP26, "VerifyData_Vantor_ETDS", "@workbook"}, 2, report("null", true),
       "fenwarx: @workbook needs --workbook W\n"},
  });
  // clang-format on

  // With the file there the validator runs; one that rejects it makes exit 1, and
  // under --json what it prints goes to standard error, leaving the object whole.
  std::ofstream(file) << "not a return\r\n";
  ::setenv("FENWARX_VALIDATOR", "false", 1);
  EXPECT_EQ(run_fenwarx({"call", kP26, "Validation_ReturnFile"}).exit_code, 1);
  ::setenv("FENWARX_VALIDATOR", "echo validating", 1);
  expect_runs({{{"call", "--json", kP26, "Validation_ReturnFile"},
                0,
                report("null", true, "26"),
                "validating " + file + "\n"}});
  ::unsetenv("FENWARX_VALIDATOR");
  ::unsetenv("FENWARX_OUT_DIR");
}

// The workbook commands with --json print the object on every exit, and validate too.
TEST(WorkbookFailures, EveryExitOfAWorkbookCommandPrintsTheObject) {
  const fs::path dir = scratch_dir();
  const fs::path no_form = dir / "plain.xlsx", deductor_only = dir / "deductor.xlsx";
  write_workbook(no_form, {{"Sheet1", {}}});
  write_workbook(deductor_only, {{"Deductor Details", {}}});
  const std::string book = (dir / "r.xlsx").string();
  write_workbook(book, clean_return(Form::F26));
  const std::string unknown = "fenwarx: cannot tell the form of " + no_form.string() +
                              "; give --form 24|26|27|27EQ\n",
                    sheet = "Subscript out of range: the workbook has no sheet 'Collector Details'";
  // clang-format off
  expect_runs({
      {{"verify", "--json", no_form.string()}, 2, report("null"), unknown},
      {{"export", "--json", "--out-dir", dir.string(), no_form.string()}, 2, report("null"), unknown},
      {{"verify", "--json", "--no-save", "--form", "27EQ", deductor_only.string()}, 3,
       report(failure(9, sheet), false, "27EQ"), "fenwarx: error 9: " + sheet + "\n"},
      {{"verify", "--json", "--salary", book}, 2, report("null", false, "26"),
       "fenwarx: --salary applies to Form 24 only; " + book + " is Form 26\n"},
      {{"validate", "--json", "--form", "27", "--out-dir", dir.string()}, 1,
       report("null", false, "27"),
       "fenwarx: no return file at " + (dir / "eTDS27.txt").string() +
           "; run fenwarx export first\n"},
  });
  // clang-format on
}

// -o writes a copy of the workbook's own kind: an .xlsm holds macros an .xlsx
// must not, so the names must agree (in any case).
TEST(WorkbookFailures, OutputKeepsTheWorkbookKind) {
  const fs::path dir = scratch_dir();
  const fs::path book = dir / "r.xlsx", macro = dir / "r.xlsm";
  write_workbook(book, clean_return(Form::F26));
  fs::copy_file(book, macro);
  const std::string before = slurp(book);
  const auto needs = [](const fs::path& out, const std::string& kind) {
    return "fenwarx: -o " + out.string() + ": the workbook is an " + kind +
           " file; give -o a name ending in " + kind + "\n";
  };
  // clang-format off
  expect_runs({
      {{"verify", "-o", (dir / "copy.xlsm").string(), book.string()}, 2, "",
       needs(dir / "copy.xlsm", ".xlsx")},
      {{"export", "-o", (dir / "copy").string(), "--out-dir", dir.string(), book.string()}, 2, "",
       needs(dir / "copy", ".xlsx")},
      {{"verify", "--json", "-o", (dir / "copy.xlsx").string(), macro.string()}, 2, report("null"),
       needs(dir / "copy.xlsx", ".xlsm")},
      {{"verify", "--today", "2006-01-15", "-o", (dir / "COPY.XLSX").string(), book.string()}, 0,
       "[info]  Verificaton Sucess ! : No error.\n", ""},
  });
  // clang-format on
  EXPECT_EQ(flag_of(dir / "COPY.XLSX"), "Verified");
  EXPECT_EQ(slurp(book), before);
  for (const char* refused : {"copy.xlsm", "copy", "copy.xlsx", "eTDS26.txt"})
    EXPECT_FALSE(fs::exists(dir / refused)) << refused;
}

}  // namespace
}  // namespace fenwarx::testing
