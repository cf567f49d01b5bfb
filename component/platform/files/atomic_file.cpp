#include "platform/files/atomic_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/files/file_kind.hpp"
#include "platform/files/file_system.hpp"
#include "platform/files/interrupt_cleanup.hpp"
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

// Where a save lands: a symbolic link is followed, hop by hop (a relative one from
// its own folder), to the file it names, so that file is replaced and the link
// stays a link. A path that is no link, or names nothing yet, is itself the place.
std::filesystem::path followed_links(const std::filesystem::path& target) {
  constexpr int kMaxHops = 40;  // as the kernel allows, before ELOOP
  FileSystem& files = file_system();
  std::filesystem::path place = target;
  std::vector<char> text(PATH_MAX);
  for (int hops = 0;; ++hops) {
    const ssize_t n = files.read_link(place.c_str(), text.data(), text.size());
    if (n < 0) {
      if (errno == EINVAL || errno == ENOENT || errno == ENOTDIR) return place;
      throw_open_error(errno, target);
    }
    if (static_cast<std::size_t>(n) == text.size()) throw_open_error(ENAMETOOLONG, target);
    if (hops == kMaxHops) throw_open_error(ELOOP, target);
    const std::filesystem::path next(std::string(text.data(), static_cast<std::size_t>(n)));
    place = next.is_absolute() ? next : place.parent_path() / next;
  }
}

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target)
    : target_(std::move(target)), destination_(followed_links(target_)) {
  FileSystem& files = file_system();
  // Renaming over a device or a pipe would replace the node itself.
  struct stat existing {};
  if (files.stat(destination_.c_str(), &existing) == 0)
    require_regular_file(destination_, existing.st_mode);

  std::string pattern =
      (folder_of(destination_) / ("." + destination_.filename().string() + ".fenwarx-XXXXXX"))
          .string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int error = 0;
  {
    // Held until the file is tracked, so a signal cannot leave it behind untracked.
    const SignalsHeld held;
    fd_ = files.create_temporary(name.data());
    if (fd_ >= 0)
      cleanup_.track(name.data());
    else
      error = errno;
  }
  if (fd_ < 0) throw_open_error(error, destination_);
  temp_ = name.data();
}

AtomicFile::~AtomicFile() {
  FileSystem& files = file_system();
  if (fd_ >= 0) files.close(fd_);
  if (!committed_ && !temp_.empty()) files.unlink(temp_.c_str());
}

void AtomicFile::write(std::string_view bytes) {
  if (fd_ < 0)
    throw RuntimeError(err::kInvalidCall, "Writing to " + destination_.string() + " after commit");
  const char* at = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = file_system().write(fd_, at, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw_io_error(errno, destination_);
    }
    if (n == 0) throw_io_error(ENOSPC, destination_);
    at += n;
    left -= static_cast<std::size_t>(n);
    size_ += static_cast<std::uint64_t>(n);
  }
}

void AtomicFile::commit() {
  if (fd_ < 0)
    throw RuntimeError(err::kInvalidCall, destination_.string() + " is already committed");

  FileSystem& files = file_system();
  mode_t mode = 0;
  struct stat existing {};
  if (executable_)
    mode = 0777 & ~current_umask();
  else if (files.stat(destination_.c_str(), &existing) == 0)
    mode = existing.st_mode & 07777;
  else
    mode = 0666 & ~current_umask();

  if (files.sync(fd_) != 0) throw_io_error(errno, destination_);
  if (files.change_mode(fd_, mode) != 0) throw_io_error(errno, destination_);
  int fd = fd_;
  fd_ = -1;
  // close() can report a delayed write error; after it the descriptor is gone either way.
  if (files.close(fd) != 0) throw_io_error(errno, destination_);

  if (files.rename(temp_.c_str(), destination_.c_str()) != 0) {
    int error = errno;
    if (error == EACCES || error == EPERM || error == EROFS)
      throw RuntimeError(err::kPermission, "Permission denied: " + destination_.string());
    throw_io_error(error, destination_);
  }
  committed_ = true;
  cleanup_.forget();

  int dir = files.open(folder_of(destination_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) throw_io_error(errno, destination_);
  int synced = files.sync(dir);
  int sync_error = errno;
  if (files.close(dir) != 0 && synced == 0) throw_io_error(errno, destination_);
  // Some file systems cannot fsync a folder; the rename itself has already happened.
  if (synced != 0 && sync_error != EINVAL && sync_error != EROFS)
    throw_io_error(sync_error, destination_);
}

}  // namespace fenwarx
