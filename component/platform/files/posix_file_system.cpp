#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/files/file_system.hpp"

namespace fenwarx {
namespace {

class PosixFileSystem final : public FileSystem {
 public:
  int open(const char* path, int flags) override { return ::open(path, flags); }
  int create_temporary(char* pattern) override { return ::mkostemp(pattern, O_CLOEXEC); }
  ssize_t read_at(int fd, void* out, std::size_t length, off_t offset) override {
    return ::pread(fd, out, length, offset);
  }
  ssize_t write(int fd, const void* bytes, std::size_t length) override {
    return ::write(fd, bytes, length);
  }
  int sync(int fd) override { return ::fsync(fd); }
  int change_mode(int fd, mode_t mode) override { return ::fchmod(fd, mode); }
  int close(int fd) override { return ::close(fd); }
  int rename(const char* from, const char* to) override { return ::rename(from, to); }
  int unlink(const char* path) override { return ::unlink(path); }
  ssize_t read_link(const char* path, char* out, std::size_t size) override {
    return ::readlink(path, out, size);
  }
  int stat(const char* path, struct stat* info) override { return ::stat(path, info); }
  int fstat(int fd, struct stat* info) override { return ::fstat(fd, info); }
};

}  // namespace

FileSystem& posix_file_system() {
  static PosixFileSystem instance;
  return instance;
}

}  // namespace fenwarx
