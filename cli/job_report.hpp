#pragma once
// How a command shows what its job did: message boxes as lines on standard
// output while it runs (or one JSON object at the end with --json), the walks'
// progress on a terminal, and the one line of a failure or a refusal on standard
// error.
#include <string>
#include <string_view>

#include "jobs/job_result.hpp"
#include "progress_view.hpp"

namespace fenwarx::cli {

// "[info] TITLE: TEXT" (information icon), "[critical] ..." (critical icon),
// "[message] ..." otherwise; "[info] TEXT" when the title is empty.
std::string message_line(const Message& message);

// Prints messages and results as they come (unless the report is JSON) and draws
// the walks' progress on standard error when it is a terminal and the run is not
// `quiet` (the progress view), cleared before a message and when the run ends.
class TerminalObserver : public jobs::Observer {
 public:
  TerminalObserver(bool json, bool quiet);

  void message(const Message& message) override;
  void progress(const Progress& progress) override {
    if (view_.active()) view_.update(progress, ProgressView::Clock::now());
  }
  void result(const std::string& text) override;

 private:
  bool json_;
  ProgressView view_;
};

// After the messages, on standard output: the notes that explain them, what a
// certificate run wrote ("certificate host: 12 rows, 9 certificates written;
// started /h/Plomberg.EXE"), the rows
// the return file left out as "not written: SHEET row N (...)", then each logged
// error as "SHEET!A1 (CAPTION): RULE"; of the rows and of the errors the first
// kListedFindings and a count of the rest.
inline constexpr std::size_t kListedFindings = 50;
void print_findings(const jobs::Result& result);

// "fenwarx: error N: DESCRIPTION" on standard error, after what stdout holds.
int report_failure(const jobs::Failure& failure);
// "fenwarx: cancelled; nothing was saved" on standard error; exit 130.
int report_cancelled();
// "fenwarx: cannot tell the form of W; give --form 24|26|27|27EQ", a usage error.
int report_unknown_form(std::string_view workbook);

}  // namespace fenwarx::cli
