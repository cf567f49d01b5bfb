#pragma once
// How a command that runs a job ends: with --json the one object on standard
// output whatever came of the job (a failure or a usage problem included), the
// line of a failure or a problem on standard error, and the exit code.
#include <string_view>

#include "jobs/job_result.hpp"

namespace fenwarx::cli {

// While alive in a --json run, standard output goes where standard error goes, so
// a program the job starts (a validator) cannot break the object with its own
// lines; put back when it ends. Does nothing without --json.
class StdoutAside {
 public:
  explicit StdoutAside(bool json);
  ~StdoutAside();
  StdoutAside(const StdoutAside&) = delete;
  StdoutAside& operator=(const StdoutAside&) = delete;

 private:
  int saved_ = -1;
};

// The object of `result` when `json` (with `results` as `call` gives them);
// otherwise the notes and findings that follow the messages.
void print_report(const jobs::Result& result, bool json, bool results = false);

// The object, then for a failure "fenwarx: error N: DESCRIPTION" on standard
// error; the exit code of the outcome.
int end_run(const jobs::Result& result, bool json, bool results = false);

// end_run for a command over one workbook, whose form may be unknown: then the
// object and the line that names the workbook.
int end_workbook_run(const jobs::Result& result, std::string_view workbook, bool json);

// A usage problem found after parsing, before any job ran: the object of a run
// that did nothing, then "fenwarx: PROBLEM" on standard error; the usage exit code.
int end_usage(std::string_view problem, bool json, bool results = false);

}  // namespace fenwarx::cli
