// The job API as its callers (the command line, the C interface, the spreadsheet
// toolbar) see it: what each job hands back, and that no run-time error escapes.
#include "jobs/jobs.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/values/dates.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "support/clean_return.hpp"
#include "support/test_paths.hpp"

namespace fenwarx::jobs {
namespace {

using namespace fenwarx::testing;
namespace fs = std::filesystem;

// Keeps what a job showed while it ran.
struct Watcher : Observer {
  void message(const Message& m) override { messages.push_back(m); }
  void status(const std::string& text) override { statuses.push_back(text); }
  std::vector<Message> messages;
  std::vector<std::string> statuses;
};

fs::path workbook_of(Form form, const fs::path& dir, const Cells& deductee_changes = {}) {
  auto sheets = clean_return(form);
  sheets[kDeducteeSheet].cells = with(sheets[kDeducteeSheet].cells, deductee_changes);
  const fs::path path = dir / "return.xlsx";
  write_workbook(path, sheets);
  return path;
}

std::string flag_of(const fs::path& path, Form form) {
  const CellPlace flag = workbook_layout(form).deductor.flag;
  return XlsxWorkbook::open(path)
      ->Worksheets(workbook_layout(form).deductor.name)
      .Cells(flag.row, flag.column)
      .Value()
      .to_text();
}

TEST(Jobs, VerifyTellsTheFormFlagsACleanRunAndShowsWhatItShows) {
  const fs::path dir = scratch_dir();
  const fs::path path = workbook_of(Form::F27EQ, dir);
  Watcher watcher;
  const Result result =
      verify({.workbook = path}, {.observer = &watcher, .today = serial_from_civil({2006, 1, 15})});
  EXPECT_EQ(result.outcome, Outcome::Done);
  EXPECT_EQ(result.form, Form::F27EQ);
  EXPECT_EQ(result.messages, watcher.messages);
  EXPECT_EQ(result.messages,
            (std::vector{Message::information("No error.", " Verificaton Sucess ! ")}));
  EXPECT_FALSE(watcher.statuses.empty());
  EXPECT_EQ(result.flag, "Verified");
  EXPECT_EQ(result.saved, path);
  EXPECT_EQ(flag_of(path, Form::F27EQ), "Verified");
}

TEST(Jobs, ErrorsComeBackWithTheirLogLines) {
  const fs::path dir = scratch_dir();
  const fs::path path = workbook_of(Form::F26, dir, {{3, 3, "not a pan"}});
  const Result result =
      verify({.workbook = path, .save = false}, {.today = serial_from_civil({2006, 1, 15})});
  EXPECT_EQ(result.outcome, Outcome::DataErrors);
  EXPECT_EQ(result.errors, 1);
  ASSERT_EQ(result.log.size(), 1u);
  EXPECT_EQ(result.log[0].sheet, "Deductee Details");
  EXPECT_EQ(result.log[0].row, 3);
  EXPECT_EQ(result.log[0].column, 3);
  EXPECT_EQ(result.log[0].address, "C3");
  EXPECT_EQ(result.log[0].rule, "not a PAN: five letters, four digits, a letter");
  EXPECT_EQ(result.flag, std::nullopt);
  EXPECT_EQ(result.saved, std::nullopt);
  EXPECT_EQ(flag_of(path, Form::F26), "");  // not saved
}

TEST(Jobs, ExportWritesTheFileAndFlagsTheWorkbook) {
  const fs::path dir = scratch_dir();
  const fs::path path = workbook_of(Form::F26, dir);
  const Result result = export_return({.workbook = path},
                                      {.today = serial_from_civil({2006, 1, 15}), .out_dir = dir});
  EXPECT_EQ(result.outcome, Outcome::Done);
  EXPECT_EQ(result.return_file, fs::absolute(dir / "eTDS26.txt").lexically_normal());
  EXPECT_TRUE(fs::exists(*result.return_file));
  EXPECT_EQ(flag_of(path, Form::F26), "Exported");
  const CheckResult checked = check(*result.return_file, path, std::nullopt);
  EXPECT_EQ(checked.outcome, Outcome::Done);
}

// A call hands the return file to the validator: a file that is not there stops
// the calls as a failure naming it, and a validator that rejects the file counts
// as errors found, as `validate` counts it.
TEST(Jobs, CallValidatesTheReturnFileOrFailsNamingIt) {
  const fs::path dir = scratch_dir();
  const std::string file = fs::absolute(dir / "eTDS26.txt").lexically_normal().string();
  const auto validated = [&](const std::string& validator) {
    return call({.prog_id = "Fenwarx.clsExport26",
                 .calls = {{.member = "Validation_ReturnFile", .arguments = {}}}},
                {.out_dir = dir, .validator = {validator}});
  };
  const Result missing = validated("true");
  EXPECT_EQ(missing.outcome, Outcome::Failed);
  ASSERT_TRUE(missing.failure);
  EXPECT_EQ(missing.failure->number, 53);
  EXPECT_EQ(missing.failure->description, "File not found: " + file);

  write_workbook(dir / "unused.xlsx", {{"Sheet1", {}}});
  fs::copy_file(dir / "unused.xlsx", file);  // any file will do for these validators
  EXPECT_EQ(validated("true").outcome, Outcome::Done);
  EXPECT_EQ(validated("false").outcome, Outcome::DataErrors);
}

// What stops a job comes back as its outcome, never as an exception.
TEST(Jobs, RefusalsAndFailuresAreOutcomes) {
  const fs::path dir = scratch_dir();
  const fs::path missing = dir / "missing.xlsx";
  const Result failed = verify({.workbook = missing}, {});
  EXPECT_EQ(failed.outcome, Outcome::Failed);
  ASSERT_TRUE(failed.failure);
  EXPECT_EQ(failed.failure->number, 53);
  EXPECT_EQ(failed.failure->description, "File not found: " + missing.string());

  write_workbook(dir / "plain.xlsx", {{"Sheet1", {}}});
  EXPECT_EQ(export_return({.workbook = dir / "plain.xlsx"}, {}).outcome, Outcome::UnknownForm);
  EXPECT_EQ(verify({.workbook = workbook_of(Form::F26, dir)}, {}, true).outcome,
            Outcome::WrongForm);
  EXPECT_EQ(validate(Form::F27, {.out_dir = dir}).outcome, Outcome::Missing);
  EXPECT_EQ(check(dir / "none.txt", std::nullopt, std::nullopt).failure->number, 53);

  EXPECT_EQ(create_template(Form::F24, dir / "new.xlsm", false).refusal,
            TemplateResult::Refusal::NotXlsx);
  EXPECT_EQ(create_template(Form::F24, dir / "plain.xlsx", false).refusal,
            TemplateResult::Refusal::Exists);
  EXPECT_EQ(create_template(Form::F24, dir / "plain.xlsx", true).outcome, Outcome::Done);
}

}  // namespace
}  // namespace fenwarx::jobs
