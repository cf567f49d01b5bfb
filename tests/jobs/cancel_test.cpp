// The user's stop (Ctrl-C) taken at a walk's next row: the job comes back
// Cancelled with error 18 and nothing is saved or written: the workbook's file,
// an earlier return file and the host's tables stay as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "jobs/jobs.hpp"
#include "layout/workbook_layout.hpp"
#include "platform/values/dates.hpp"
#include "state/message_texts.hpp"
#include "support/certificate_host.hpp"
#include "support/clean_return.hpp"
#include "support/test_paths.hpp"

namespace fenwarx::jobs {
namespace {

using namespace fenwarx::testing;
namespace fs = std::filesystem;

// Asks for a stop when the walk of `sheet` reaches `done` rows (once `after`
// showed in the status bar, when given), and keeps how far its reports went.
struct Stopper : Observer {
  Stopper(std::string_view sheet, int done, std::string_view after = {})
      : sheet(sheet), done(done), armed(after.empty()), after(after) {}
  void status(const std::string& text) override { armed = armed || text == after; }
  void progress(const Progress& p) override {
    if (p.sheet != sheet || !armed) return;
    rows = p.rows;
    furthest = std::max(furthest, p.done);
    if (armed && p.done == done) stop.request();
  }
  std::string_view sheet;
  int done;
  bool armed;
  std::string_view after;
  Interruption stop;
  int rows = 0, furthest = -1;
};

Environment environment(Stopper& stopper, const fs::path& out_dir = ".") {
  return {.observer = &stopper,
          .today = serial_from_civil({2006, 1, 15}),
          .out_dir = out_dir,
          .interruption = &stopper.stop};
}

void expect_cancelled(const Result& result) {
  EXPECT_EQ(result.outcome, Outcome::Cancelled);
  ASSERT_TRUE(result.failure);
  EXPECT_EQ(result.failure->number, 18);
  EXPECT_EQ(result.failure->description, "User interrupt occurred");
  EXPECT_EQ(result.saved, std::nullopt);
  EXPECT_EQ(result.return_file, std::nullopt);
}

TEST(Cancel, VerifyAndExportStopAtTheNextRowAndLeaveEveryFileAsItWas) {
  const fs::path dir = scratch_dir(), book = dir / "return.xlsx", out = dir / "c";
  fs::create_directory(out);
  write_workbook(book, clean_return(Form::F26, 40));
  std::ofstream(out / "eTDS26.txt") << "an earlier return\r\n";
  const std::string bytes = slurp(book);

  Stopper verifying("Deductee Details", 20);
  expect_cancelled(verify({.workbook = book}, environment(verifying)));
  EXPECT_EQ(verifying.rows, 40);
  EXPECT_EQ(verifying.furthest, 20);  // the next row raised before it was reported
  EXPECT_EQ(slurp(book), bytes);

  Stopper exporting("Deductee Details", 39);
  expect_cancelled(export_return({.workbook = book}, environment(exporting, out)));
  EXPECT_EQ(slurp(book), bytes);
  EXPECT_EQ(slurp(out / "eTDS26.txt"), "an earlier return\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 1);

  // Asked for at the last row of the last walk, the stop is still taken before
  // the file is written.
  Stopper late("Deductor Details",
               workbook_layout(Form::F26).deductor.rows.of(DeductorRow::ReturnType) - 1);
  expect_cancelled(export_return({.workbook = book}, environment(late, out)));
  EXPECT_EQ(slurp(out / "eTDS26.txt"), "an earlier return\r\n");

  // Unstopped, the same job writes both.
  Stopper none("", 0);
  EXPECT_EQ(export_return({.workbook = book}, environment(none, out)).outcome, Outcome::Done);
  EXPECT_NE(slurp(book), bytes);
}

TEST(Cancel, ACertificateRunStoppedInItsRowsLeavesTheHostsTables) {
  const Host host;
  const fs::path book = host.dir / "form26-return.xlsx";
  fs::copy_file(fs::path(FENWARX_FIXTURES) / ".." / ".." / "examples" / book.filename(), book);
  const Environment plain{.today = serial_from_civil({2026, 12, 7}),
                          .out_dir = host.dir / "c",
                          .system_folder = host.system};
  ASSERT_EQ(export_return({.workbook = book}, plain).outcome, Outcome::Done);
  ASSERT_EQ(certificates({.workbook = book}, plain).outcome, Outcome::Done);
  const auto tables = host.tables();
  const std::string bytes = slurp(book);

  Stopper stopper("Deductee Details", 5, texts::kUpdatingDeductees);
  Environment stopping = plain;
  stopping.observer = &stopper;
  stopping.interruption = &stopper.stop;
  expect_cancelled(certificates({.workbook = book}, stopping));
  EXPECT_EQ(stopper.furthest, 5);
  EXPECT_EQ(host.tables(), tables);
  EXPECT_FALSE(fs::exists(host.dir / "LogTDSZelto.log"));
  EXPECT_EQ(slurp(book), bytes);
}

}  // namespace
}  // namespace fenwarx::jobs
