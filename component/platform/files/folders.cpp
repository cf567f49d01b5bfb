#include "platform/files/folders.hpp"

#include <system_error>

#include "platform/values/runtime_error.hpp"

namespace fenwarx {

void make_folder(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error)
    throw RuntimeError(err::kPathNotFound, "Path not found: cannot make " + folder.string() + " (" +
                                               error.message() + ")");
}

}  // namespace fenwarx
