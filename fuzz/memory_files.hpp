#pragma once
// A file system held in memory, for a fuzz target that exports thousands of
// returns a second: the atomic save runs its usual calls (temporary file, write,
// sync, rename, the folder's sync) against a map of paths to bytes, so nothing
// touches the disk and a run leaves nothing behind.
#include <map>
#include <optional>
#include <string>

#include "platform/files/file_system.hpp"

namespace fenwarx::fuzzing {

class MemoryFileSystem final : public FileSystem {
 public:
  // The bytes committed at `path`, if any.
  std::optional<std::string> file(const std::string& path) const;
  void clear();

  int open(const char* path, int flags) override;
  int create_temporary(char* pattern) override;
  ssize_t read_at(int fd, void* out, std::size_t length, off_t offset) override;
  ssize_t write(int fd, const void* bytes, std::size_t length) override;
  int sync(int fd) override;
  int change_mode(int fd, mode_t mode) override;
  int close(int fd) override;
  int rename(const char* from, const char* to) override;
  int unlink(const char* path) override;
  ssize_t read_link(const char* path, char* out, std::size_t size) override;
  int stat(const char* path, struct stat* info) override;
  int fstat(int fd, struct stat* info) override;

 private:
  std::map<std::string, std::string> files_;
  std::map<int, std::string> open_;  // descriptor to path; a folder's path is ""
  int next_fd_ = 1000;
  unsigned next_name_ = 0;
};

}  // namespace fenwarx::fuzzing
