#include "run_end.hpp"

#include <fcntl.h>
#include <fmt/format.h>
#include <unistd.h>

#include <cstdio>

#include "exit_codes.hpp"
#include "job_report.hpp"
#include "json_report.hpp"

namespace fenwarx::cli {

StdoutAside::StdoutAside(bool json) {
  if (!json) return;
  std::fflush(stdout);
  saved_ = fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
  if (saved_ >= 0 && dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
    close(saved_);
    saved_ = -1;
  }
}

StdoutAside::~StdoutAside() {
  if (saved_ < 0) return;
  std::fflush(stdout);
  dup2(saved_, STDOUT_FILENO);
  close(saved_);
}

void print_report(const jobs::Result& result, bool json, bool results) {
  if (json)
    fmt::print("{}", json_text(result, results));
  else
    print_findings(result);
  std::fflush(stdout);
}

int end_run(const jobs::Result& result, bool json, bool results) {
  print_report(result, json, results);
  if (result.outcome == jobs::Outcome::Cancelled) return report_cancelled();
  if (result.outcome == jobs::Outcome::Failed && result.failure)
    return report_failure(*result.failure);
  return exit_code_of(result.outcome);
}

int end_workbook_run(const jobs::Result& result, std::string_view workbook, bool json) {
  if (result.outcome != jobs::Outcome::UnknownForm) return end_run(result, json);
  print_report(result, json);
  return report_unknown_form(workbook);
}

int end_usage(std::string_view problem, bool json, bool results) {
  print_report(jobs::Result{}, json, results);
  fmt::print(stderr, "fenwarx: {}\n", problem);
  return kExitUsage;
}

}  // namespace fenwarx::cli
