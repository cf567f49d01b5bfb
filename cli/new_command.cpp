// fenwarx new: writes the blank return workbook of a form, ready for typing in.
#include <fmt/format.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "command.hpp"
#include "exit_codes.hpp"
#include "platform/values/ascii.hpp"
#include "returns/form_profile.hpp"
#include "templates/return_template.hpp"

namespace fenwarx::cli {
namespace {

struct NewOptions {
  std::string form;
  std::string file;
  bool force = false;
};

const FormProfile* form_named(std::string_view name) {
  for (Form form : {Form::F24, Form::F26, Form::F27, Form::F27EQ})
    if (equal_ignoring_case(name, profile_of(form).name)) return &profile_of(form);
  return nullptr;
}

int write_new(const NewOptions& options) {
  const FormProfile* profile = form_named(options.form);
  if (!profile) {
    fmt::print(stderr, "fenwarx: --form takes 24, 26, 27 or 27EQ, not {}\n", options.form);
    return kExitUsage;
  }
  const std::filesystem::path path(options.file);
  // The template holds no macros, so an .xlsm name would promise what the file lacks.
  if (!equal_ignoring_case(path.extension().string(), ".xlsx")) {
    fmt::print(stderr, "fenwarx: {}: a new return workbook is an .xlsx file\n", options.file);
    return kExitUsage;
  }
  if (!options.force && std::filesystem::exists(path)) {
    fmt::print(stderr, "fenwarx: {} exists; give --force to replace it\n", options.file);
    return kExitUsage;
  }
  templates::write_return_template(path, profile->form);
  fmt::print("{}: blank Form {} return workbook\n", options.file, profile->name);
  return kExitDone;
}

Command add_new(CLI::App& parent) {
  auto options = std::make_shared<NewOptions>();
  auto* app = parent.add_subcommand("new", "Write the blank return workbook of a form");
  app->add_option("--form", options->form, "24, 26, 27 or 27EQ")->required();
  app->add_option("FILE", options->file, "The .xlsx workbook to write")->required();
  app->add_flag("--force", options->force, "Replace FILE when it exists");
  return {app, [options] { return write_new(*options); }};
}

[[maybe_unused]] const bool registered = register_command(&add_new);

}  // namespace
}  // namespace fenwarx::cli
