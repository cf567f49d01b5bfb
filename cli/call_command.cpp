// fenwarx call: a sequence of members on one return object, as a macro calls them
// by name; "@workbook" stands for the opened workbook.
#include <fmt/format.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "clock_option.hpp"
#include "command.hpp"
#include "exit_codes.hpp"
#include "job_report.hpp"
#include "jobs/jobs.hpp"
#include "json_report.hpp"
#include "validator_command.hpp"
#include "workbook_options.hpp"

namespace fenwarx::cli {
namespace {

constexpr std::string_view kSeparator = ",";

struct CallOptions {
  std::optional<std::string> workbook;
  std::optional<std::string> today;
  bool json = false;
  bool no_save = false;
  std::vector<std::string> words;  // PROGID MEMBER [ARG...] [, MEMBER [ARG...]]...
};

int usage(std::string_view problem) {
  fmt::print(stderr, "fenwarx: {}\n", problem);
  return kExitUsage;
}

// The words after the identifier, split at each lone ","; none when a call is empty.
std::optional<std::vector<jobs::MemberCall>> split_calls(const std::vector<std::string>& words) {
  std::vector<jobs::MemberCall> calls(1);
  for (std::size_t i = 1; i < words.size(); ++i) {
    if (words[i] == kSeparator) {
      if (calls.back().member.empty()) return std::nullopt;
      calls.emplace_back();
    } else if (calls.back().member.empty()) {
      calls.back().member = words[i];
    } else {
      calls.back().arguments.push_back(words[i]);
    }
  }
  if (calls.back().member.empty()) return std::nullopt;
  return calls;
}

int call(const CallOptions& options) {
  if (options.words.empty()) return usage("give PROGID MEMBER [ARG...]");
  const auto calls = split_calls(options.words);
  if (!calls) return usage("every \",\" must stand between two members");
  for (const jobs::MemberCall& c : *calls)
    for (const std::string& argument : c.arguments)
      if (argument == jobs::kWorkbookArgument && !options.workbook)
        return usage("@workbook needs --workbook W");

  jobs::CallJob job{.prog_id = options.words.front(), .calls = *calls, .save = !options.no_save};
  if (options.workbook) job.workbook = *options.workbook;
  jobs::Result result;
  {
    TerminalObserver observer(options.json);
    // FENWARX_OUT_DIR and FENWARX_VALIDATOR stand for drive C: and the validator.
    result = jobs::call(job, {.observer = &observer,
                              .today = options.today ? parse_today(*options.today) : std::nullopt,
                              .out_dir = default_out_dir(),
                              .validator = validator_command(std::nullopt)});
  }
  if (result.outcome == jobs::Outcome::Failed) return report_failure(*result.failure);
  if (options.json)
    fmt::print("{}", json_text(result, true));
  else
    print_findings(result);
  std::fflush(stdout);
  return exit_code_of(result.outcome);
}

Command add_call(CLI::App& parent) {
  auto options = std::make_shared<CallOptions>();
  auto* app = parent.add_subcommand(
      "call", "Call members of a return object by name: PROGID MEMBER [ARG...] [, MEMBER ...]");
  app->add_option("--workbook", options->workbook, "Open this workbook; @workbook passes it");
  add_today_option(*app, options->today);
  app->add_flag("--json", options->json, "Print one JSON object instead of the lines");
  app->add_flag("--no-save", options->no_save, "Leave the workbook unchanged");
  // Everything from the identifier on is the call sequence, even words that
  // look like options ("-5" as an argument).
  app->prefix_command();
  app->footer(
      "After the options: PROGID MEMBER [ARG...] [, MEMBER [ARG...]]...\n"
      "A lone \",\" separates members; @workbook passes the workbook opened by --workbook.");
  return {app, [options, app] {
            options->words = app->remaining();
            return call(*options);
          }};
}

[[maybe_unused]] const bool registered = register_command(&add_call);

}  // namespace
}  // namespace fenwarx::cli
