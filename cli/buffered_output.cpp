#include "buffered_output.hpp"

#include "platform/values/runtime_error.hpp"

namespace fenwarx::cli {

BufferedOutput::BufferedOutput(std::FILE* stream) : stream_(stream) {
  buffer_.reserve(kBlock + 4096);
}

BufferedOutput::~BufferedOutput() {
  if (!buffer_.empty()) std::fwrite(buffer_.data(), 1, buffer_.size(), stream_);
  std::fflush(stream_);
}

void BufferedOutput::flush() {
  const bool written = std::fwrite(buffer_.data(), 1, buffer_.size(), stream_) == buffer_.size() &&
                       std::fflush(stream_) == 0;
  buffer_.clear();
  if (!written) throw RuntimeError(err::kDeviceIo);
}

}  // namespace fenwarx::cli
