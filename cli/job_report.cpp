#include "job_report.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <cstdio>

#include "exit_codes.hpp"
#include "platform/values/ascii.hpp"

namespace fenwarx::cli {
namespace {

// The icon is a bit field of the style; the buttons below it do not change the tag.
std::string_view tag_of(int style) {
  switch (style & 0x70) {
    case msg_style::kCritical: return "[critical]";
    case msg_style::kInformation: return "[info]";
    default: return "[message]";
  }
}

}  // namespace

std::string message_line(const Message& message) {
  if (message.title.empty()) return fmt::format("{} {}", tag_of(message.style), message.text);
  return fmt::format("{} {}: {}", tag_of(message.style), message.title, message.text);
}

namespace {

ProgressView standard_error_view(bool quiet) {
  const TerminalTraits traits = standard_error_traits(quiet);
  return ProgressView(stderr, traits.terminal, traits.width, traits.color);
}

}  // namespace

TerminalObserver::TerminalObserver(bool json, bool quiet)
    : json_(json), view_(standard_error_view(quiet)) {}

void TerminalObserver::message(const Message& message) {
  view_.clear();
  if (json_) return;
  fmt::print("{}\n", message_line(message));
  // A box is seen before the run goes on: a later failure on stderr comes after it.
  std::fflush(stdout);
}

void TerminalObserver::result(const std::string& text) {
  if (json_) return;
  fmt::print("{}\n", text);
  std::fflush(stdout);
}

void print_findings(const jobs::Result& result) {
  for (const std::string& note : result.notes) fmt::print("{}\n", note);
  if (const auto& written = result.certificates) {
    fmt::print("certificate host: {} rows, {} certificates written", written->rows,
               written->certificates);
    fmt::print("{}\n", written->utility ? "; started " + written->utility->string() : "");
  }
  const std::size_t left_out = std::min(result.not_written.size(), kListedFindings);
  for (std::size_t i = 0; i < left_out; ++i)
    fmt::print("not written: {} row {} (no challan and no tax)\n", result.not_written[i].sheet,
               result.not_written[i].row);
  if (result.not_written.size() > left_out)
    fmt::print("... and {} more rows not written (--json lists them all)\n",
               result.not_written.size() - left_out);
  const std::size_t listed = std::min(result.log.size(), kListedFindings);
  for (std::size_t i = 0; i < listed; ++i) {
    const jobs::LogLine& line = result.log[i];
    const std::string caption = trimmed(line.caption.to_text());
    fmt::print("{}!{}{}: {}\n", line.sheet, line.address,
               caption.empty() ? "" : " (" + caption + ")", line.rule);
  }
  if (result.log.size() > listed)
    fmt::print("... and {} more (the error log on the deductor sheet lists them all)\n",
               result.log.size() - listed);
  std::fflush(stdout);
}

int report_failure(const jobs::Failure& failure) {
  std::fflush(stdout);
  fmt::print(stderr, "fenwarx: error {}: {}\n", failure.number, failure.description);
  return kExitFailure;
}

int report_cancelled() {
  std::fflush(stdout);
  fmt::print(stderr, "fenwarx: cancelled; nothing was saved\n");
  return kExitCancelled;
}

int report_unknown_form(std::string_view workbook) {
  fmt::print(stderr, "fenwarx: cannot tell the form of {}; give --form 24|26|27|27EQ\n", workbook);
  return kExitUsage;
}

int exit_code_of(jobs::Outcome outcome) {
  switch (outcome) {
    case jobs::Outcome::Done: return kExitDone;
    case jobs::Outcome::DataErrors:
    case jobs::Outcome::Missing: return kExitDataErrors;
    case jobs::Outcome::UnknownForm:
    case jobs::Outcome::WrongForm:
    case jobs::Outcome::Refused: return kExitUsage;
    case jobs::Outcome::Cancelled: return kExitCancelled;
    case jobs::Outcome::Failed: break;
  }
  return kExitFailure;
}

}  // namespace fenwarx::cli
