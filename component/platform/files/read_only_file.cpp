#include "platform/files/read_only_file.hpp"

#include <fcntl.h>

#include <cerrno>
#include <cstring>

#include "platform/files/file_kind.hpp"
#include "platform/files/file_system.hpp"
#include "platform/values/runtime_error.hpp"

namespace fenwarx {
namespace {

[[noreturn]] void read_error(const std::filesystem::path& path, int error) {
  throw RuntimeError(err::kDeviceIo, "Device I/O error reading " + path.string() + " (" +
                                         std::strerror(error) + ")");
}

[[noreturn]] void open_error(const std::filesystem::path& path, int error) {
  if (error == ENOENT || error == ENOTDIR)
    throw RuntimeError(err::kFileNotFound, "File not found: " + path.string());
  if (error == EACCES || error == EPERM)
    throw RuntimeError(err::kPermission, "Permission denied: " + path.string());
  read_error(path, error);
}

}  // namespace

ReadOnlyFile::ReadOnlyFile(const std::filesystem::path& path) : path_(path) {
  FileSystem& files = file_system();
  // Told from its entry before it is opened: opening a named pipe waits for a
  // writer, and opening a device may already act on it.
  struct stat info {};
  if (files.stat(path.c_str(), &info) != 0) open_error(path, errno);
  require_regular_file(path, info.st_mode);
  // Non-blocking in case something else took the name since; reads of a regular
  // file are not affected by it.
  fd_ = files.open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) open_error(path, errno);
  if (files.fstat(fd_, &info) != 0) {
    const int error = errno;
    files.close(fd_);
    read_error(path, error);
  }
  if (!S_ISREG(info.st_mode)) {
    files.close(fd_);
    require_regular_file(path, info.st_mode);
  }
  size_ = static_cast<std::uint64_t>(info.st_size);
}

ReadOnlyFile::~ReadOnlyFile() { file_system().close(fd_); }

std::size_t ReadOnlyFile::read(std::uint64_t offset, std::size_t length, void* out) const {
  auto* bytes = static_cast<unsigned char*>(out);
  std::size_t done = 0;
  while (done < length) {
    const ssize_t n =
        file_system().read_at(fd_, bytes + done, length - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      read_error(path_, errno);
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

bool ReadOnlyFile::read_exactly(std::uint64_t offset, std::size_t length, void* out) const {
  return read(offset, length, out) == length;
}

}  // namespace fenwarx
