// Handing the return file to the validator: its path goes to the validator as an
// argument, never as keystrokes into whatever window has the focus.
#include <filesystem>
#include <vector>

#include "export/export.hpp"
#include "platform/process/process.hpp"
#include "platform/values/runtime_error.hpp"
#include "state/return_object.hpp"

namespace fenwarx {

void Validation_ReturnFile(ReturnObject& self) {
  std::vector<std::string> command = self.platform().validator;
  if (command.empty()) throw RuntimeError(err::kFileNotFound);
  const std::filesystem::path file = return_file_path(self);
  // Raised here, where the caller sees it, rather than left to the validator's
  // own output and exit status.
  std::error_code error;
  if (!std::filesystem::exists(file, error))
    throw RuntimeError(err::kFileNotFound, "File not found: " + file.string());
  command.push_back(file.string());
  self.validator_status = run_and_wait(command);
}

}  // namespace fenwarx
