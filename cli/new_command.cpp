// fenwarx new: writes the blank return workbook of a form, ready for typing in.
#include <fmt/format.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "clock_option.hpp"
#include "command.hpp"
#include "exit_codes.hpp"
#include "job_report.hpp"
#include "jobs/jobs.hpp"

namespace fenwarx::cli {
namespace {

struct NewOptions {
  std::string form;
  std::string file;
  bool force = false;
  std::optional<std::string> today;
};

int write_new(const NewOptions& options) {
  const std::optional<Form> form = find_form(options.form);
  if (!form) {
    fmt::print(stderr, "fenwarx: --form takes 24, 26, 27 or 27EQ, not {}\n", options.form);
    return kExitUsage;
  }
  const std::filesystem::path path(options.file);
  const jobs::TemplateResult result =
      jobs::create_template(*form, path, options.force,
                            {.today = options.today ? parse_today(*options.today) : std::nullopt});
  switch (result.refusal) {
    case jobs::TemplateResult::Refusal::NotXlsx:
      fmt::print(stderr, "fenwarx: {}: a new return workbook is an .xlsx file\n", options.file);
      return kExitUsage;
    case jobs::TemplateResult::Refusal::Exists:
      fmt::print(stderr, "fenwarx: {} exists; give --force to replace it\n", options.file);
      return kExitUsage;
    case jobs::TemplateResult::Refusal::None: break;
  }
  if (result.outcome == jobs::Outcome::Failed) return report_failure(*result.failure);
  fmt::print("{}: blank Form {} return workbook\n", options.file, form_name(*form));
  return kExitDone;
}

Command add_new(CLI::App& parent) {
  auto options = std::make_shared<NewOptions>();
  auto* app = parent.add_subcommand("new", "Write the blank return workbook of a form");
  app->add_option("--form", options->form, "24, 26, 27 or 27EQ")->required();
  app->add_option("FILE", options->file, "The .xlsx workbook to write")->required();
  app->add_flag("--force", options->force, "Replace FILE when it exists");
  add_today_option(*app, options->today);
  return {app, [options] { return write_new(*options); }};
}

[[maybe_unused]] const bool registered = register_command(&add_new);

}  // namespace
}  // namespace fenwarx::cli
