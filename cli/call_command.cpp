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
#include "json_report.hpp"
#include "platform/values/ascii.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "printing_ui.hpp"
#include "returns/dispatch.hpp"
#include "returns/registry.hpp"
#include "validator_command.hpp"
#include "workbook_session.hpp"

namespace fenwarx::cli {
namespace {

constexpr std::string_view kWorkbookArgument = "@workbook";
constexpr std::string_view kSeparator = ",";

struct CallOptions {
  std::optional<std::string> workbook;
  std::optional<std::string> today;
  bool json = false;
  bool no_save = false;
  std::vector<std::string> words;  // PROGID MEMBER [ARG...] [, MEMBER [ARG...]]...
};

struct MemberCall {
  std::string member;
  std::vector<std::string> arguments;
};

int usage(std::string_view problem) {
  fmt::print(stderr, "fenwarx: {}\n", problem);
  return kExitUsage;
}

// The words after the identifier, split at each lone ","; none when a call is empty.
std::optional<std::vector<MemberCall>> split_calls(const std::vector<std::string>& words) {
  std::vector<MemberCall> calls(1);
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

bool has_result(const ReturnObject& object, std::string_view name) {
  for (const Member* member : members_of(object.profile()))
    if (equal_ignoring_case(member->name, name)) return member->has_result;
  return false;
}

int call(const CallOptions& options) {
  if (options.words.empty()) return usage("give PROGID MEMBER [ARG...]");
  const auto calls = split_calls(options.words);
  if (!calls) return usage("every \",\" must stand between two members");
  for (const MemberCall& c : *calls)
    for (const std::string& argument : c.arguments)
      if (argument == kWorkbookArgument && !options.workbook)
        return usage("@workbook needs --workbook W");

  std::shared_ptr<XlsxWorkbook> workbook;
  if (options.workbook) workbook = XlsxWorkbook::open(*options.workbook);

  RecordingUi recorder;
  PrintingUi printer(stdout);
  Ui& ui = options.json ? static_cast<Ui&>(recorder) : printer;
  const auto clock = make_clock(options.today);
  // FENWARX_OUT_DIR and FENWARX_VALIDATOR stand for drive C: and the validator.
  const auto object = create_object(options.words.front(),
                                    Platform{ui, *clock, default_out_dir(), validator_command(std::nullopt)});

  std::vector<std::string> results;
  for (const MemberCall& c : *calls) {
    std::vector<Variant> arguments;
    for (const std::string& argument : c.arguments)
      arguments.push_back(argument == kWorkbookArgument ? Variant::object(workbook)
                                                        : Variant::text(argument));
    const Variant result = invoke(*object, c.member, arguments);
    if (!has_result(*object, c.member)) continue;
    if (options.json) {
      results.push_back(result.to_text());
    } else {
      fmt::print("{}\n", result.to_text());
      std::fflush(stdout);
    }
  }

  std::optional<std::string> saved;
  if (workbook && !options.no_save) {
    workbook->save();
    saved = options.workbook;
  }
  if (options.json) {
    Report report{recorder.messages, object->error_count, {}, std::nullopt, saved, results};
    if (object->deductor_sheet) report.log = read_error_log(*object->deductor_sheet);
    fmt::print("{}", json_text(report));
    std::fflush(stdout);
  }
  return object->error_count > 0 ? kExitDataErrors : kExitDone;
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
