#pragma once
// A record of short texts, one per role of a sheet's columns, kept in one buffer:
// a full return holds 65,534 deductee records, and separate strings for each
// field (a kilobyte a record) would cost more than the walk that fills them.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace fenwarx {

template <class Role>
class TextRecord {
 public:
  static constexpr std::size_t kFields = static_cast<std::size_t>(Role::kCount);

  std::string_view operator[](Role role) const noexcept {
    const std::size_t field = static_cast<std::size_t>(role);
    const std::uint32_t begin = field == 0 ? 0 : ends_[field - 1];
    return std::string_view(texts_).substr(begin, ends_[field] - begin);
  }
  void set(Role role, std::string_view text) {
    const std::size_t field = static_cast<std::size_t>(role);
    const std::uint32_t begin = field == 0 ? 0 : ends_[field - 1];
    const std::uint32_t old_length = ends_[field] - begin;
    texts_.replace(begin, old_length, text);
    const auto grown = static_cast<std::uint32_t>(text.size()) - old_length;  // modulo 2^32
    for (std::size_t i = field; i < kFields; ++i) ends_[i] += grown;
  }

  friend bool operator==(const TextRecord&, const TextRecord&) = default;

 private:
  std::string texts_;                          // the fields one after another
  std::array<std::uint32_t, kFields> ends_{};  // where each field ends in texts_
};

}  // namespace fenwarx
