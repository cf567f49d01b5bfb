#pragma once
// A file that appears complete or not at all: written to a temporary file in the
// target's folder, flushed to disk, then renamed over the target.
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace fenwarx {

class AtomicFile {
 public:
  // Creates the temporary file beside `target`. RuntimeError 76 when the folder
  // does not exist, 70 when it cannot be written.
  explicit AtomicFile(std::filesystem::path target);
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  ~AtomicFile();  // removes the temporary file unless committed

  void write(std::string_view bytes);  // RuntimeError 61 on a full disk, 57 on other I/O errors
  std::uint64_t size() const noexcept { return size_; }
  // Flushes, fsyncs, gives the file the target's permissions (or 0666 less the
  // umask for a new file), renames it over the target and fsyncs the folder.
  void commit();
  const std::filesystem::path& target() const noexcept { return target_; }

 private:
  std::filesystem::path target_;
  std::filesystem::path temp_;
  int fd_ = -1;
  std::uint64_t size_ = 0;
  bool committed_ = false;
};

}  // namespace fenwarx
