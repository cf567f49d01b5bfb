#pragma once
// The StyleBook of a workbook that lives in memory: each style is a number format
// and a fill colour, style 0 being General and unfilled. A style is made once for
// each distinct pair, so painting many cells alike adds one style.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/spreadsheet/style_book.hpp"

namespace fenwarx {

class MemoryStyleBook : public StyleBook {
 public:
  MemoryStyleBook();

  std::string number_format(std::uint32_t style) const override;
  bool is_date(std::uint32_t style) const override;
  std::uint32_t fill_color(std::uint32_t style) const override;
  std::uint32_t with_number_format(std::uint32_t style, std::string_view code) override;
  std::uint32_t with_fill_color(std::uint32_t style, std::uint32_t color) override;

  std::size_t size() const noexcept { return styles_.size(); }

 private:
  struct Style {
    std::string format;
    std::uint32_t fill;
    bool date;
  };

  const Style& at(std::uint32_t style) const;  // style 0 for an index it does not hold
  std::uint32_t intern(std::string format, std::uint32_t fill);

  std::vector<Style> styles_;
  std::map<std::pair<std::string, std::uint32_t>, std::uint32_t, std::less<>> index_;
};

}  // namespace fenwarx
