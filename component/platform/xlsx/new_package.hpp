#pragma once
// The parts of a new, empty workbook, as a file would hold them.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fenwarx {

struct PackagePart {
  std::string name;
  std::string xml;
};

// Checks the names (1-31 characters, none of : \ / ? * [ ], unique ignoring case);
// RuntimeError 5 otherwise, and for an empty list.
void check_sheet_names(const std::vector<std::string>& names);

// The parts of a package with a minimal style sheet (style 0 General) and one
// empty worksheet per name, in the order a file holds them.
std::vector<PackagePart> new_package(const std::vector<std::string>& sheet_names);

// The style sheet of a new workbook: also what a file without one is read as.
std::string_view default_styles_xml();

}  // namespace fenwarx
