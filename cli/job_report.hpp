#pragma once
// How a command shows what its job did: message boxes as lines on standard
// output while it runs (or one JSON object at the end with --json), the status
// bar on a terminal, and the one line of a failure or a refusal on standard error.
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

#include "jobs/job_result.hpp"

namespace fenwarx::cli {

// "[info] TITLE: TEXT" (information icon), "[critical] ..." (critical icon),
// "[message] ..." otherwise; "[info] TEXT" when the title is empty.
std::string message_line(const Message& message);

// Prints messages and results as they come (unless the report is JSON) and keeps
// the status bar on one line of standard error when it is a terminal: rewritten a
// few times a second, cleared before a message and when the run ends. Nothing is
// written there when standard error is not a terminal, so logs stay clean.
class TerminalObserver : public jobs::Observer {
 public:
  explicit TerminalObserver(bool json);
  ~TerminalObserver() override;
  TerminalObserver(const TerminalObserver&) = delete;
  TerminalObserver& operator=(const TerminalObserver&) = delete;

  void message(const Message& message) override;
  void status(const std::string& text) override;
  void result(const std::string& text) override;

 private:
  void clear();

  bool json_;
  std::FILE* terminal_;  // null when progress is not shown
  std::chrono::steady_clock::time_point last_{};
  bool shown_ = false;
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
// "fenwarx: cannot tell the form of W; give --form 24|26|27|27EQ", a usage error.
int report_unknown_form(std::string_view workbook);

}  // namespace fenwarx::cli
