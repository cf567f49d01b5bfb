// fenwarx call: a sequence of members on one return object, as a macro calls them
// by name; "@workbook" stands for the opened workbook.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "clock_option.hpp"
#include "command.hpp"
#include "ctrl_c_stop.hpp"
#include "exit_codes.hpp"
#include "job_report.hpp"
#include "jobs/jobs.hpp"
#include "run_end.hpp"
#include "validator_command.hpp"
#include "workbook_options.hpp"

namespace fenwarx::cli {
namespace {

constexpr std::string_view kSeparator = ",";

struct CallOptions {
  std::optional<std::string> workbook;
  std::optional<std::string> today;
  bool json = false;
  bool quiet = false;
  bool no_save = false;
  std::vector<std::string> words;  // PROGID MEMBER [ARG...] [, MEMBER [ARG...]]...
};

// The words after the identifier, split at each lone ",". A member's name is the
// first word after the identifier and after each ","; a usage problem otherwise.
struct SplitCalls {
  std::vector<jobs::MemberCall> calls;
  std::string_view problem;
};

constexpr std::string_view kNoMember = "every \",\" must stand between two members",
                           kEmptyMember =
                               "a member's name is empty; name the member to call after PROGID "
                               "and after each \",\"";

SplitCalls split_calls(const std::vector<std::string>& words) {
  SplitCalls split;
  bool named = false;  // whether the call being read has its member's name yet
  for (std::size_t i = 1; i < words.size(); ++i) {
    if (words[i] == kSeparator) {
      if (!named) return {.calls = {}, .problem = kNoMember};
      named = false;
    } else if (!named) {
      if (words[i].empty()) return {.calls = {}, .problem = kEmptyMember};
      split.calls.push_back({.member = words[i], .arguments = {}});
      named = true;
    } else {
      split.calls.back().arguments.push_back(words[i]);
    }
  }
  if (!named) return {.calls = {}, .problem = kNoMember};
  return split;
}

int call(const CallOptions& options) {
  const auto usage = [&](std::string_view problem) {
    return end_usage(problem, options.json, true);
  };
  if (options.words.empty() || options.words.front().empty())
    return usage("give PROGID MEMBER [ARG...]");
  const SplitCalls split = split_calls(options.words);
  if (!split.problem.empty()) return usage(split.problem);
  for (const jobs::MemberCall& c : split.calls)
    for (const std::string& argument : c.arguments)
      if (argument == jobs::kWorkbookArgument && !options.workbook)
        return usage("@workbook needs --workbook W");

  jobs::CallJob job{
      .prog_id = options.words.front(), .calls = split.calls, .save = !options.no_save};
  if (options.workbook) job.workbook = *options.workbook;
  jobs::Result result;
  {
    // A validator a member starts writes to standard output too.
    const StdoutAside aside(options.json);
    CtrlCStop stop;
    TerminalObserver observer(options.json, options.quiet);
    // FENWARX_OUT_DIR and FENWARX_VALIDATOR stand for drive C: and the validator.
    result = jobs::call(job, {.observer = &observer,
                              .today = options.today ? parse_today(*options.today) : std::nullopt,
                              .out_dir = default_out_dir(),
                              .validator = validator_command(std::nullopt),
                              .interruption = stop.interruption()});
  }
  return end_run(result, options.json, true);
}

Command add_call(CLI::App& parent) {
  auto options = std::make_shared<CallOptions>();
  auto* app = parent.add_subcommand(
      "call", "Call members of a return object by name: PROGID MEMBER [ARG...] [, MEMBER ...]");
  app->add_option("--workbook", options->workbook, "Open this workbook; @workbook passes it");
  add_today_option(*app, options->today);
  app->add_flag("--json", options->json, "Print one JSON object instead of the lines");
  add_quiet_flag(*app, options->quiet);
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
