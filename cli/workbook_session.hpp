#pragma once
// What the commands that work on a return workbook share: the options that name
// the workbook and its form, how messages are shown, the return object of the
// form, and saving the workbook afterwards.
#include <CLI/App.hpp>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/clock/clock.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"
#include "printing_ui.hpp"
#include "progress.hpp"
#include "returns/return_object.hpp"

namespace fenwarx::cli {

struct WorkbookOptions {
  std::optional<std::string> form;
  std::optional<std::string> today;
  bool json = false;
  std::optional<std::string> output;
  bool no_save = false;
  std::string workbook;
};

// --form 24|26|27|27EQ (any case).
CLI::Option* add_form_option(CLI::App& app, std::optional<std::string>& form);
// --form, --today, --json, -o/--output, --no-save and WORKBOOK.
void add_workbook_options(CLI::App& app, WorkbookOptions& options);
// The output folder when --out-dir is not given: FENWARX_OUT_DIR, else the current folder.
std::string default_out_dir();
// --out-dir DIR, with default_out_dir() when not given.
void add_out_dir_option(CLI::App& app, std::string& out_dir);
// The form named by --form (already checked by the parser).
const FormProfile* named_form(const std::optional<std::string>& form);

class WorkbookSession {
 public:
  // Opens the workbook and tells its form; null (after saying why on stderr) when
  // the form cannot be told. Failures to open are RuntimeErrors.
  static std::unique_ptr<WorkbookSession> open(const WorkbookOptions& options,
                                               std::filesystem::path out_dir = ".");

  const FormProfile& profile() const { return *profile_; }
  XlsxWorkbook& workbook() { return *workbook_; }
  const std::shared_ptr<XlsxWorkbook>& shared_workbook() { return workbook_; }
  ReturnObject& object() { return *object_; }

  // Saves as the options say; the path saved to, if any.
  std::optional<std::string> save();
  // With --json, the report of the run; nothing otherwise.
  void report(const std::optional<std::string>& saved, const std::optional<std::string>& return_file);

 private:
  WorkbookSession(const WorkbookOptions& options, std::shared_ptr<XlsxWorkbook> workbook,
                  const FormProfile& profile, std::filesystem::path out_dir);

  const WorkbookOptions& options_;
  std::shared_ptr<XlsxWorkbook> workbook_;
  const FormProfile* profile_;
  RecordingUi recorder_;
  PrintingUi printer_{stdout};
  Progress ui_;
  std::unique_ptr<Clock> clock_;
  std::shared_ptr<ReturnObject> object_;
};

}  // namespace fenwarx::cli
