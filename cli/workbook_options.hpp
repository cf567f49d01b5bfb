#pragma once
// The options of the commands that work on a return workbook: the workbook and
// its form, today's date, --json, --quiet, where to save, the output folder.
#include <CLI/App.hpp>
#include <optional>
#include <string>

#include "jobs/job_result.hpp"

namespace fenwarx::cli {

struct WorkbookOptions {
  std::optional<std::string> form;
  std::optional<std::string> today;
  bool json = false;
  bool quiet = false;
  std::optional<std::string> output;
  bool no_save = false;
  std::string workbook;
  std::string out_dir = ".";
};

// --form 24|26|27|27EQ (any case).
CLI::Option* add_form_option(CLI::App& app, std::optional<std::string>& form);
// --quiet: no progress view while the job runs.
void add_quiet_flag(CLI::App& app, bool& quiet);
// --form, --today, --json, --quiet, -o/--output, --no-save and WORKBOOK.
void add_workbook_options(CLI::App& app, WorkbookOptions& options);
// The output folder when --out-dir is not given: FENWARX_OUT_DIR, else the current folder.
std::string default_out_dir();
// --out-dir DIR, with default_out_dir() when not given.
void add_out_dir_option(CLI::App& app, std::string& out_dir);
// The form named by --form (already checked by the parser).
std::optional<Form> named_form(const std::optional<std::string>& form);

// What is wrong with -o OUT when it names another kind of workbook (.xlsx, .xlsm)
// than WORKBOOK is; nothing when it is fine.
std::optional<std::string> output_kind_problem(const WorkbookOptions& options);

jobs::WorkbookJob workbook_job(const WorkbookOptions& options);
jobs::Environment environment_of(const WorkbookOptions& options, jobs::Observer& observer,
                                 Interruption* interruption);

}  // namespace fenwarx::cli
