#pragma once
// The system calls the component makes on files, behind one interface so that a
// test can make any of them fail as a full disk or a locked folder would. Each
// call returns what its POSIX counterpart returns: -1 with errno set on failure.
#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>

namespace fenwarx {

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual int open(const char* path, int flags) = 0;  // O_CLOEXEC is the caller's to add
  // mkostemp with O_CLOEXEC: `pattern` ends in XXXXXX, replaced by the name made.
  virtual int create_temporary(char* pattern) = 0;
  virtual ssize_t read_at(int fd, void* out, std::size_t length, off_t offset) = 0;
  virtual ssize_t write(int fd, const void* bytes, std::size_t length) = 0;
  virtual int sync(int fd) = 0;
  virtual int change_mode(int fd, mode_t mode) = 0;
  virtual int close(int fd) = 0;
  virtual int rename(const char* from, const char* to) = 0;
  virtual int unlink(const char* path) = 0;
  // readlink(2): EINVAL when `path` is not a symbolic link; the text is not terminated.
  virtual ssize_t read_link(const char* path, char* out, std::size_t size) = 0;
  virtual int stat(const char* path, struct stat* info) = 0;
  virtual int fstat(int fd, struct stat* info) = 0;
};

FileSystem& posix_file_system();

// The file system of the calling thread: a substitute while one is in place, else
// the POSIX one.
FileSystem& file_system();

// Puts `substitute` in place for the calling thread until it goes out of scope.
class FileSystemOverride {
 public:
  explicit FileSystemOverride(FileSystem& substitute);
  ~FileSystemOverride();
  FileSystemOverride(const FileSystemOverride&) = delete;
  FileSystemOverride& operator=(const FileSystemOverride&) = delete;

 private:
  FileSystem* previous_;
};

}  // namespace fenwarx
