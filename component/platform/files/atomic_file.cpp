#include "platform/files/atomic_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/files/file_system.hpp"
#include "platform/values/runtime_error.hpp"

namespace fenwarx {
namespace {

std::filesystem::path folder_of(const std::filesystem::path& target) {
  auto folder = target.parent_path();
  return folder.empty() ? std::filesystem::path(".") : folder;
}

// The umask without changing it: reading it through umask(2) would briefly alter
// it for every thread of the process.
mode_t current_umask() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("Umask:", 0) != 0) continue;
    std::size_t at = line.find_first_not_of(" \t", 6);
    if (at == std::string::npos) break;
    unsigned value = 0;
    auto [end, ec] = std::from_chars(line.data() + at, line.data() + line.size(), value, 8);
    if (ec == std::errc()) return static_cast<mode_t>(value & 0777);
    break;
  }
  return 022;
}

[[noreturn]] void throw_open_error(int error, const std::filesystem::path& target) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      throw RuntimeError(err::kPathNotFound, "Path not found: " + folder_of(target).string());
    case EACCES:
    case EPERM:
    case EROFS: throw RuntimeError(err::kPermission, "Permission denied: " + target.string());
    case ENOSPC:
    case EDQUOT: throw RuntimeError(err::kDiskFull, "Disk full: cannot write " + target.string());
    default:
      throw RuntimeError(err::kPathFileAccess, "Path/File access error: " + target.string() + " (" +
                                                   std::strerror(error) + ")");
  }
}

[[noreturn]] void throw_io_error(int error, const std::filesystem::path& target) {
  if (error == ENOSPC || error == EDQUOT)
    throw RuntimeError(err::kDiskFull, "Disk full: cannot write " + target.string());
  throw RuntimeError(err::kDeviceIo, "Device I/O error writing " + target.string() + " (" +
                                         std::strerror(error) + ")");
}

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target)) {
  FileSystem& files = file_system();
  struct stat existing {};
  if (files.stat(target_.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode))
    throw RuntimeError(err::kPathFileAccess,
                       "Path/File access error: " + target_.string() + " is a folder");

  std::string pattern =
      (folder_of(target_) / ("." + target_.filename().string() + ".fenwarx-XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  fd_ = files.create_temporary(name.data());
  if (fd_ < 0) throw_open_error(errno, target_);
  temp_ = name.data();
}

AtomicFile::~AtomicFile() {
  FileSystem& files = file_system();
  if (fd_ >= 0) files.close(fd_);
  if (!committed_ && !temp_.empty()) files.unlink(temp_.c_str());
}

void AtomicFile::write(std::string_view bytes) {
  if (fd_ < 0)
    throw RuntimeError(err::kInvalidCall, "Writing to " + target_.string() + " after commit");
  const char* at = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = file_system().write(fd_, at, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw_io_error(errno, target_);
    }
    if (n == 0) throw_io_error(ENOSPC, target_);
    at += n;
    left -= static_cast<std::size_t>(n);
    size_ += static_cast<std::uint64_t>(n);
  }
}

void AtomicFile::commit() {
  if (fd_ < 0) throw RuntimeError(err::kInvalidCall, target_.string() + " is already committed");

  FileSystem& files = file_system();
  mode_t mode = 0;
  struct stat existing {};
  if (files.stat(target_.c_str(), &existing) == 0)
    mode = existing.st_mode & 07777;
  else
    mode = 0666 & ~current_umask();

  if (files.sync(fd_) != 0) throw_io_error(errno, target_);
  if (files.change_mode(fd_, mode) != 0) throw_io_error(errno, target_);
  int fd = fd_;
  fd_ = -1;
  // close() can report a delayed write error; after it the descriptor is gone either way.
  if (files.close(fd) != 0) throw_io_error(errno, target_);

  if (files.rename(temp_.c_str(), target_.c_str()) != 0) {
    int error = errno;
    if (error == EACCES || error == EPERM || error == EROFS)
      throw RuntimeError(err::kPermission, "Permission denied: " + target_.string());
    throw_io_error(error, target_);
  }
  committed_ = true;

  int dir = files.open(folder_of(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) throw_io_error(errno, target_);
  int synced = files.sync(dir);
  int sync_error = errno;
  if (files.close(dir) != 0 && synced == 0) throw_io_error(errno, target_);
  // Some file systems cannot fsync a folder; the rename itself has already happened.
  if (synced != 0 && sync_error != EINVAL && sync_error != EROFS)
    throw_io_error(sync_error, target_);
}

}  // namespace fenwarx
