// Handing the return file to the validator: its path goes to the validator as an
// argument, never as keystrokes into whatever window has the focus.
#include <vector>

#include "export/export.hpp"
#include "platform/process/process.hpp"
#include "platform/values/runtime_error.hpp"
#include "state/return_object.hpp"

namespace fenwarx {

void Validation_ReturnFile(ReturnObject& self) {
  std::vector<std::string> command = self.platform().validator;
  if (command.empty()) throw RuntimeError(err::kFileNotFound);
  command.push_back(return_file_path(self).string());
  self.validator_status = run_and_wait(command);
}

}  // namespace fenwarx
