#pragma once
// A file opened for reading at any offset, closed when dropped.
#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace fenwarx {

class ReadOnlyFile {
 public:
  // RuntimeError 53 when the file is missing, 70 when it may not be read, 75
  // naming it when it is no regular file (a folder, a named pipe, a device: it is
  // neither opened nor read), 57 on any other failure.
  explicit ReadOnlyFile(const std::filesystem::path& path);
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  std::uint64_t size() const noexcept { return size_; }
  const std::filesystem::path& path() const noexcept { return path_; }

  // Up to `length` bytes at `offset`, fewer only where the file ends; returns how
  // many. RuntimeError 57 on a read error.
  std::size_t read(std::uint64_t offset, std::size_t length, void* out) const;
  // Exactly `length` bytes; false when the file ends first.
  bool read_exactly(std::uint64_t offset, std::size_t length, void* out) const;

 private:
  std::filesystem::path path_;
  int fd_ = -1;
  std::uint64_t size_ = 0;
};

}  // namespace fenwarx
