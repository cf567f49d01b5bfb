#pragma once
// The cell formats of a workbook, by style index: the number format and the fill
// a cell shows, and derived styles that change one of them and keep the rest.
#include <cstdint>
#include <string>
#include <string_view>

namespace fenwarx {

class StyleBook {
 public:
  virtual ~StyleBook() = default;
  virtual std::string number_format(std::uint32_t style) const = 0;  // "General" by default
  virtual bool is_date(std::uint32_t style) const = 0;
  virtual std::uint32_t fill_color(std::uint32_t style) const = 0;  // kColorNone when unfilled
  // The style that is `style` with another number format or a solid fill; the same
  // (style, change) pair always gives the same index, so each is made once.
  virtual std::uint32_t with_number_format(std::uint32_t style, std::string_view code) = 0;
  virtual std::uint32_t with_fill_color(std::uint32_t style, std::uint32_t color) = 0;
};

}  // namespace fenwarx
