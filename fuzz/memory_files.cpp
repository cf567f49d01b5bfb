#include "memory_files.hpp"

#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace fenwarx::fuzzing {

std::optional<std::string> MemoryFileSystem::file(const std::string& path) const {
  const auto found = files_.find(path);
  if (found == files_.end()) return std::nullopt;
  return found->second;
}

void MemoryFileSystem::clear() {
  files_.clear();
  open_.clear();
}

// Only folders are opened by name (to sync them after a rename): every folder exists.
int MemoryFileSystem::open(const char*, int flags) {
  if ((flags & O_DIRECTORY) == 0) {
    errno = EACCES;
    return -1;
  }
  open_[next_fd_] = "";
  return next_fd_++;
}

int MemoryFileSystem::create_temporary(char* pattern) {
  const std::size_t length = std::strlen(pattern);
  if (length < 6) {
    errno = EINVAL;
    return -1;
  }
  std::snprintf(pattern + length - 6, 7, "%06u", next_name_++ % 1000000);
  files_[pattern].clear();
  open_[next_fd_] = pattern;
  return next_fd_++;
}

ssize_t MemoryFileSystem::read_at(int fd, void* out, std::size_t length, off_t offset) {
  const auto at = open_.find(fd);
  if (at == open_.end()) return errno = EBADF, -1;
  const std::string& bytes = files_[at->second];
  if (offset < 0 || static_cast<std::size_t>(offset) >= bytes.size()) return 0;
  const std::size_t n = std::min(length, bytes.size() - static_cast<std::size_t>(offset));
  std::memcpy(out, bytes.data() + offset, n);
  return static_cast<ssize_t>(n);
}

ssize_t MemoryFileSystem::write(int fd, const void* bytes, std::size_t length) {
  const auto at = open_.find(fd);
  if (at == open_.end() || at->second.empty()) return errno = EBADF, -1;
  files_[at->second].append(static_cast<const char*>(bytes), length);
  return static_cast<ssize_t>(length);
}

int MemoryFileSystem::sync(int fd) { return open_.count(fd) ? 0 : (errno = EBADF, -1); }
int MemoryFileSystem::change_mode(int fd, mode_t) { return sync(fd); }

int MemoryFileSystem::close(int fd) {
  if (open_.erase(fd) == 0) return errno = EBADF, -1;
  return 0;
}

int MemoryFileSystem::rename(const char* from, const char* to) {
  const auto found = files_.find(from);
  if (found == files_.end()) return errno = ENOENT, -1;
  std::string bytes = std::move(found->second);
  files_.erase(found);
  files_[to] = std::move(bytes);
  return 0;
}

int MemoryFileSystem::unlink(const char* path) {
  return files_.erase(path) ? 0 : (errno = ENOENT, -1);
}

ssize_t MemoryFileSystem::read_link(const char*, char*, std::size_t) { return errno = EINVAL, -1; }

int MemoryFileSystem::stat(const char* path, struct stat* info) {
  const auto found = files_.find(path);
  if (found == files_.end()) return errno = ENOENT, -1;
  *info = {};
  info->st_mode = S_IFREG | 0644;
  info->st_size = static_cast<off_t>(found->second.size());
  return 0;
}

int MemoryFileSystem::fstat(int fd, struct stat* info) {
  const auto at = open_.find(fd);
  if (at == open_.end()) return errno = EBADF, -1;
  *info = {};
  info->st_mode = at->second.empty() ? S_IFDIR | 0755 : S_IFREG | 0644;
  info->st_size = static_cast<off_t>(files_[at->second].size());
  return 0;
}

}  // namespace fenwarx::fuzzing
