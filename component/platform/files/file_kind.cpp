#include "platform/files/file_kind.hpp"

#include <sys/stat.h>

#include <string>

#include "platform/values/runtime_error.hpp"

namespace fenwarx {

void require_regular_file(const std::filesystem::path& path, mode_t mode) {
  if (S_ISREG(mode)) return;
  const char* what = S_ISDIR(mode)                    ? " is a folder"
                     : S_ISFIFO(mode)                 ? " is a named pipe, not a file"
                     : S_ISCHR(mode) || S_ISBLK(mode) ? " is a device, not a file"
                     : S_ISSOCK(mode)                 ? " is a socket, not a file"
                                                      : " is not a regular file";
  throw RuntimeError(err::kPathFileAccess, "Path/File access error: " + path.string() + what);
}

}  // namespace fenwarx
