#pragma once
// A record of N short texts kept in one buffer: a deductee record is read once
// by the export and a full return holds 65,534 of them, so thirty separate
// strings each (a kilobyte a record) would cost more than the walk that fills them.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace fenwarx {

template <std::size_t N>
class TextRecord {
 public:
  static constexpr std::size_t size() noexcept { return N; }
  std::string_view operator[](std::size_t field) const noexcept {
    const std::uint32_t begin = field == 0 ? 0 : ends_[field - 1];
    return std::string_view(texts_).substr(begin, ends_[field] - begin);
  }
  void set(std::size_t field, std::string_view text) {
    const std::uint32_t begin = field == 0 ? 0 : ends_[field - 1];
    const std::uint32_t old_length = ends_[field] - begin;
    texts_.replace(begin, old_length, text);
    const auto grown = static_cast<std::uint32_t>(text.size()) - old_length;  // modulo 2^32
    for (std::size_t i = field; i < N; ++i) ends_[i] += grown;
  }

 private:
  std::string texts_;                // the fields one after another
  std::array<std::uint32_t, N> ends_{};  // where each field ends in texts_
};

}  // namespace fenwarx
