// fenwarx check: the structural checker on a return file, each finding and
// warning traced to its workbook cell when the workbook is given.
#include <fmt/format.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "buffered_output.hpp"
#include "command.hpp"
#include "exit_codes.hpp"
#include "job_report.hpp"
#include "jobs/jobs.hpp"
#include "json_report.hpp"
#include "workbook_options.hpp"

namespace fenwarx::cli {
namespace {

struct CheckOptions {
  std::string return_file;
  std::optional<std::string> workbook, form;
  bool json = false;
  bool strict = false;
};

std::string plural(long long count, const char* noun) {
  return fmt::format("{} {}{}", count, noun, count == 1 ? "" : "s");
}

// "line 4, field 10: ...", "line 4: ..." for the whole line, "file: ..." for the
// file; a warning is the same line after "warning: ".
void append_text(std::string& out, const CheckFinding& f, bool warning) {
  if (warning) out += "warning: ";
  if (f.line == 0)
    out += "file";
  else if (f.field == 0)
    out += fmt::format("line {}", f.line);
  else
    out += fmt::format("line {}, field {}", f.line, f.field);
  out += ": " + f.message;
  if (!f.sheet.empty()) {
    out += fmt::format(" ({} row {}", f.sheet, f.row);
    out += f.column > 0 ? fmt::format(", column {})", f.column) : std::string(")");
  }
  out += '\n';
}

std::string number_or_null(long long value) { return value > 0 ? std::to_string(value) : "null"; }

void append_json(std::string& out, const CheckFinding& f, bool last) {
  out += fmt::format(
      R"(    {{"line": {}, "field": {}, "message": {}, "sheet": {}, "row": {}, "column": {}}})",
      f.line, f.field, json_string(f.message), f.sheet.empty() ? "null" : json_string(f.sheet),
      number_or_null(f.row), number_or_null(f.column));
  out += last ? "\n" : ",\n";
}

// {"lines": N, "findings": [...], "warnings": [...], "failure": F}, written as the
// findings come.
void append_json_report(BufferedOutput& output, const jobs::CheckResult& result) {
  std::string& out = output.buffer();
  const CheckReport& report = result.report;
  out += fmt::format("{{\n  \"lines\": {}", report.lines);
  const auto append_list = [&](const char* name, const std::vector<CheckFinding>& list) {
    out += fmt::format(",\n  \"{}\": [", name);
    out += list.empty() ? "" : "\n";
    for (std::size_t i = 0; i < list.size(); ++i) {
      append_json(out, list[i], i + 1 == list.size());
      output.maybe_flush();
    }
    out += list.empty() ? "]" : "  ]";
  };
  append_list("findings", report.findings);
  append_list("warnings", report.warnings);
  out += fmt::format(",\n  \"failure\": {}\n}}\n", json_failure(result.failure));
}

int check(const CheckOptions& options) {
  std::optional<std::filesystem::path> workbook;
  if (options.workbook) workbook = *options.workbook;
  const jobs::CheckResult result =
      jobs::check(options.return_file, workbook, named_form(options.form), options.strict);
  BufferedOutput output(stdout);
  std::string& out = output.buffer();
  if (options.json) {
    append_json_report(output, result);
  } else if (result.outcome != jobs::Outcome::Failed &&
             result.outcome != jobs::Outcome::UnknownForm) {
    const CheckReport& report = result.report;
    for (const auto* list : {&report.findings, &report.warnings})
      for (const CheckFinding& finding : *list) {
        append_text(out, finding, list == &report.warnings);
        output.maybe_flush();
      }
    const auto findings = static_cast<long long>(report.findings.size());
    const auto warnings = static_cast<long long>(report.warnings.size());
    out += plural(report.lines, "line") + ", " + plural(findings, "finding");
    if (warnings > 0) out += ", " + plural(warnings, "warning");
    out += "\n";
  }
  output.flush();
  if (result.outcome == jobs::Outcome::Failed) return report_failure(*result.failure);
  if (result.outcome == jobs::Outcome::UnknownForm) return report_unknown_form(*options.workbook);
  return exit_code_of(result.outcome);
}

Command add_check(CLI::App& parent) {
  auto options = std::make_shared<CheckOptions>();
  auto* app = parent.add_subcommand("check", "Check the structure and totals of a return file");
  app->add_option("RETURN_FILE", options->return_file, "The caret-delimited return file")
      ->required();
  auto* workbook =
      app->add_option("--workbook", options->workbook,
                      "The workbook it came from, to name the cell of each finding and warning");
  add_form_option(*app, options->form)->needs(workbook);
  app->add_flag("--json", options->json, "Print one JSON object instead of the lines");
  app->add_flag("--strict", options->strict, "Exit 1 on warnings as on findings");
  return {app, [options] { return check(*options); }};
}

[[maybe_unused]] const bool registered = register_command(&add_check);

}  // namespace
}  // namespace fenwarx::cli
