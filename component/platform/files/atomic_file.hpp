#pragma once
// A file that appears complete or not at all: written to a temporary file in the
// target's folder, flushed to disk, then renamed over the target. A target that
// is a symbolic link is written through: the file it names is replaced (the
// temporary file beside that one) and the link stays. SIGINT, SIGTERM and SIGHUP
// remove the temporary file before they end the process.
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "platform/files/interrupt_cleanup.hpp"

namespace fenwarx {

class AtomicFile {
 public:
  // Creates the temporary file beside `target` (or the file its links lead to).
  // RuntimeError 76 when the folder does not exist, 70 when it cannot be written.
  // Failures from here on name the file written, which is `target` unless a link.
  explicit AtomicFile(std::filesystem::path target);
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  ~AtomicFile();  // removes the temporary file unless committed

  void write(std::string_view bytes);  // RuntimeError 61 on a full disk, 57 on other I/O errors
  std::uint64_t size() const noexcept { return size_; }
  // The committed file is a program: 0777 less the umask, whatever the target had.
  void make_executable() noexcept { executable_ = true; }
  // Flushes, fsyncs, gives the file the target's permissions (or 0666 less the
  // umask for a new file), renames it over the target and fsyncs the folder.
  void commit();
  const std::filesystem::path& target() const noexcept { return target_; }

 private:
  std::filesystem::path target_;
  std::filesystem::path destination_;  // target_ with its links followed
  std::filesystem::path temp_;
  int fd_ = -1;
  std::uint64_t size_ = 0;
  bool committed_ = false;
  bool executable_ = false;
  InterruptCleanup cleanup_;
};

}  // namespace fenwarx
