// fenwarx validate: the return file of a form, in the output folder, handed to the
// validator (by default this program's own structural check).
#include <fmt/format.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "command.hpp"
#include "exit_codes.hpp"
#include "export/export.hpp"
#include "printing_ui.hpp"
#include "returns/registry.hpp"
#include "validator_command.hpp"
#include "workbook_session.hpp"

namespace fenwarx::cli {
namespace {

struct ValidateOptions {
  std::optional<std::string> form;
  std::string out_dir;
  std::optional<std::string> validator;
};

int validate(const ValidateOptions& options) {
  PrintingUi ui(stdout);
  const auto clock = system_clock();
  Platform platform{ui, *clock, options.out_dir, validator_command(options.validator)};
  const auto object = create_object(find_profile(options.form.value_or("26"))->prog_id, platform);
  const auto path = return_file_path(*object);
  if (!std::filesystem::exists(path)) {
    fmt::print(stderr, "fenwarx: no return file at {}; run fenwarx export first\n", path.string());
    return kExitDataErrors;
  }
  std::fflush(stdout);
  Validation_ReturnFile(*object);
  return object->validator_status == 0 ? kExitDone : kExitDataErrors;
}

Command add_validate(CLI::App& parent) {
  auto options = std::make_shared<ValidateOptions>();
  auto* app = parent.add_subcommand("validate", "Run the validator on a form's return file");
  add_form_option(*app, options->form)->required();
  add_out_dir_option(*app, options->out_dir);
  app->add_option("--validator", options->validator,
                  "The validator's command line (or FENWARX_VALIDATOR); fenwarx check by default");
  return {app, [options] { return validate(*options); }};
}

[[maybe_unused]] const bool registered = register_command(&add_validate);

}  // namespace
}  // namespace fenwarx::cli
