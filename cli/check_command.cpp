// fenwarx check: the structural checker on a return file, each finding traced to
// its workbook cell when the workbook is given.
#include <fmt/format.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "buffered_output.hpp"
#include "command.hpp"
#include "exit_codes.hpp"
#include "export/return_file_check.hpp"
#include "form_detection.hpp"
#include "json_report.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"

namespace fenwarx::cli {
namespace {

struct CheckOptions {
  std::string return_file;
  std::optional<std::string> workbook, form;
  bool json = false;
};

std::string read_bytes(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error))
    throw RuntimeError(err::kFileNotFound, "File not found: " + path);
  std::ifstream in(path, std::ios::binary);
  std::string bytes(std::istreambuf_iterator<char>(in), {});
  if (in.bad()) throw RuntimeError(err::kDeviceIo, "Device I/O error: " + path);
  return bytes;
}

std::string plural(long long count, const char* noun) {
  return fmt::format("{} {}{}", count, noun, count == 1 ? "" : "s");
}

// "line 4, field 10: ...", "line 4: ..." for the whole line, "file: ..." for the file.
void append_text(std::string& out, const CheckFinding& f) {
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

int check(const CheckOptions& options) {
  const std::string bytes = read_bytes(options.return_file);
  CheckReport report = check_return_file(bytes);
  if (options.workbook) {
    auto workbook = XlsxWorkbook::open(*options.workbook);
    const FormProfile* profile =
        options.form ? find_profile(*options.form) : detect_form(*workbook);
    if (!profile) {
      fmt::print(stderr, "fenwarx: cannot tell the form of {}; give --form 24|26|27|27EQ\n",
                 *options.workbook);
      return kExitUsage;
    }
    locate_findings(report, *workbook, *profile);
  }

  BufferedOutput output(stdout);
  std::string& out = output.buffer();
  if (options.json) {
    out += fmt::format("{{\n  \"lines\": {},\n  \"findings\": [", report.lines);
    out += report.findings.empty() ? "" : "\n";
    for (std::size_t i = 0; i < report.findings.size(); ++i) {
      append_json(out, report.findings[i], i + 1 == report.findings.size());
      output.maybe_flush();
    }
    out += report.findings.empty() ? "]\n}\n" : "  ]\n}\n";
  } else {
    for (const CheckFinding& finding : report.findings) {
      append_text(out, finding);
      output.maybe_flush();
    }
    const auto findings = static_cast<long long>(report.findings.size());
    out += plural(report.lines, "line") + ", " + plural(findings, "finding") + "\n";
  }
  output.flush();
  return report.findings.empty() ? kExitDone : kExitDataErrors;
}

Command add_check(CLI::App& parent) {
  auto options = std::make_shared<CheckOptions>();
  auto* app = parent.add_subcommand("check", "Check the structure and totals of a return file");
  app->add_option("RETURN_FILE", options->return_file, "The caret-delimited return file")
      ->required();
  auto* workbook = app->add_option("--workbook", options->workbook,
                                   "The workbook it came from, to name each finding's cell");
  app->add_option("--form", options->form, "The workbook's form: 24, 26, 27 or 27EQ")
      ->needs(workbook)
      ->check(CLI::Validator(
          [](std::string& text) -> std::string {
            return find_profile(text) ? "" : "not a return form (24, 26, 27 or 27EQ): " + text;
          },
          "24|26|27|27EQ"));
  app->add_flag("--json", options->json, "Print one JSON object instead of the lines");
  return {app, [options] { return check(*options); }};
}

[[maybe_unused]] const bool registered = register_command(&add_check);

}  // namespace
}  // namespace fenwarx::cli
