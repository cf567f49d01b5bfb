#pragma once
// The shared-string table of a workbook being written: each distinct text once,
// numbered in the order of first use, as applications save it.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace fenwarx {

class SharedStringTable {
 public:
  std::uint32_t index(std::string_view text);  // adds the text on first use
  std::string xml() const;                     // the xl/sharedStrings.xml part

 private:
  std::unordered_map<std::string, std::uint32_t> indices_;
  std::vector<const std::string*> order_;  // keys of indices_, by index
  std::uint64_t references_ = 0;
};

}  // namespace fenwarx
