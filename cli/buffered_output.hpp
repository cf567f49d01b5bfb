#pragma once
// One buffer in front of a stream, written out in large blocks, so printing a
// 65k-row sheet costs a few hundred writes rather than millions.
#include <cstdio>
#include <string>

namespace fenwarx::cli {

class BufferedOutput {
 public:
  explicit BufferedOutput(std::FILE* stream);
  BufferedOutput(const BufferedOutput&) = delete;
  BufferedOutput& operator=(const BufferedOutput&) = delete;
  ~BufferedOutput();  // writes what is left, ignoring failures

  // Append to this, then call maybe_flush() at a line end.
  std::string& buffer() noexcept { return buffer_; }
  void maybe_flush() {
    if (buffer_.size() >= kBlock) flush();
  }
  void flush();  // RuntimeError 57 when the stream refuses the bytes

 private:
  static constexpr std::size_t kBlock = 1 << 16;
  std::FILE* stream_;
  std::string buffer_;
};

}  // namespace fenwarx::cli
