#pragma once
// A file system that fails chosen calls, for tests of what a full disk, a locked
// folder or a failing device does: the Nth call of a kind fails with a given
// errno; all other calls go through to the file system it wraps. Put it in place
// with FileSystemOverride.
#include <cerrno>
#include <cstddef>
#include <functional>
#include <vector>

#include "platform/files/file_system.hpp"

namespace fenwarx {

enum class FileCall {
  Open,
  CreateTemporary,
  Read,
  Write,
  Sync,
  ChangeMode,
  Close,
  Rename,
  Unlink,
  ReadLink,
  Stat  // stat and fstat; the last kind
};

struct FileFault {
  FileCall call;
  int nth = 1;  // counted from 1 over the calls of that kind
  int error = EIO;
  // When set, the call runs this instead of failing, then goes through: a test
  // stops a save at a chosen step (to signal the process, say) by blocking here.
  std::function<void()> stall = {};
};

class FaultInjectingFileSystem final : public FileSystem {
 public:
  explicit FaultInjectingFileSystem(std::vector<FileFault> faults,
                                    FileSystem& real = posix_file_system());

  int calls(FileCall call) const;                                      // made so far, failed or not
  int open_descriptors() const noexcept { return open_descriptors_; }  // opened, not yet closed

  int open(const char* path, int flags) override;
  int create_temporary(char* pattern) override;
  ssize_t read_at(int fd, void* out, std::size_t length, off_t offset) override;
  ssize_t write(int fd, const void* bytes, std::size_t length) override;
  int sync(int fd) override;
  int change_mode(int fd, mode_t mode) override;
  int close(int fd) override;  // a failed close still releases the descriptor, as on Linux
  int rename(const char* from, const char* to) override;
  int unlink(const char* path) override;
  ssize_t read_link(const char* path, char* out, std::size_t size) override;
  int stat(const char* path, struct stat* info) override;
  int fstat(int fd, struct stat* info) override;

 private:
  bool fails(FileCall call);  // counts the call; sets errno when a fault hits it (or stalls)
  int opened(int fd);         // counts a descriptor a successful call returned

  std::vector<FileFault> faults_;
  FileSystem& real_;
  std::vector<int> counts_;
  int open_descriptors_ = 0;
};

}  // namespace fenwarx
