#include "platform/spreadsheet/memory_style_book.hpp"

#include "platform/spreadsheet/spreadsheet.hpp"
#include "platform/values/number_format.hpp"

namespace fenwarx {

MemoryStyleBook::MemoryStyleBook() { intern("General", kColorNone); }

const MemoryStyleBook::Style& MemoryStyleBook::at(std::uint32_t style) const {
  return style < styles_.size() ? styles_[style] : styles_.front();
}

std::uint32_t MemoryStyleBook::intern(std::string format, std::uint32_t fill) {
  auto key = std::make_pair(std::move(format), fill);
  if (auto it = index_.find(key); it != index_.end()) return it->second;
  const auto index = static_cast<std::uint32_t>(styles_.size());
  const bool date = is_date_format(key.first);
  styles_.push_back({key.first, fill, date});
  index_.emplace(std::move(key), index);
  return index;
}

std::string MemoryStyleBook::number_format(std::uint32_t style) const { return at(style).format; }

bool MemoryStyleBook::is_date(std::uint32_t style) const { return at(style).date; }

std::uint32_t MemoryStyleBook::fill_color(std::uint32_t style) const { return at(style).fill; }

std::uint32_t MemoryStyleBook::with_number_format(std::uint32_t style, std::string_view code) {
  return intern(code.empty() ? std::string("General") : std::string(code), at(style).fill);
}

std::uint32_t MemoryStyleBook::with_fill_color(std::uint32_t style, std::uint32_t color) {
  return intern(at(style).format, color);
}

}  // namespace fenwarx
