#pragma once
// What a workbook or a return file must be: a regular file. A folder, a named
// pipe or a device in its place is refused before it is opened, since opening a
// pipe waits for a writer and replacing a device node would break the system.
#include <sys/types.h>

#include <filesystem>

namespace fenwarx {

// RuntimeError 75 "Path/File access error: PATH is a folder" ("is a named pipe,
// not a file", "is a device, not a file", ...) unless `mode` is a regular file's.
void require_regular_file(const std::filesystem::path& path, mode_t mode);

}  // namespace fenwarx
