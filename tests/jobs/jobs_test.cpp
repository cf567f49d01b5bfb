// The job API as its callers (the command line, the C interface, the spreadsheet
// toolbar) see it: what each job hands back, and that no run-time error escapes.
#include "jobs/jobs.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/values/dates.hpp"
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

fs::path workbook_of(Form form, const fs::path& dir) {
  const fs::path path = dir / "return.xlsx";
  write_workbook(path, clean_return(form));
  return path;
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

// The rows a Form 24 file does not carry (no tax, and no challan of the return
// named: rows 4 and 6) come back with a call's export too (the export command's
// test shows them); a refused export lists none.
TEST(Jobs, Form24ExportListsTheRowsItDoesNotWrite) {
  const fs::path dir = scratch_dir(), path = dir / "return.xlsx";
  auto sheets = clean_return(Form::F24, 4);
  for (const auto& [row, serial] : {std::pair{4, "0"}, std::pair{6, "7"}})
    sheets[kDeducteeSheet].cells =
        with(sheets[kDeducteeSheet].cells, untaxed_deductee(row, serial));
  write_workbook(path, sheets);
  const Environment environment{.today = serial_from_civil({2006, 1, 15}), .out_dir = dir};
  const std::vector<SheetRow> left_out{{"Deductee Details", 4}, {"Deductee Details", 6}};

  const Result called = call(
      {.prog_id = "Fenwarx.clsExport24",
       .calls = {{.member = "ExportETDS_Vantor", .arguments = {std::string(kWorkbookArgument)}}},
       .workbook = path,
       .save = false},
      environment);
  EXPECT_EQ(called.outcome, Outcome::Done);
  EXPECT_EQ(called.not_written, left_out);

  sheets[kDeducteeSheet].cells = with(sheets[kDeducteeSheet].cells, {{3, 4, "not a pan"}});
  write_workbook(path, sheets);
  const Result refused = export_return({.workbook = path, .save = false}, environment);
  EXPECT_EQ(refused.outcome, Outcome::DataErrors);
  EXPECT_TRUE(refused.not_written.empty());
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
