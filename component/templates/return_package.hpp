#pragma once
// A whole workbook package written from its worksheet parts, atomically.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/xlsx/shared_string_table.hpp"

namespace fenwarx::templates {

struct WorksheetPart {
  std::string_view name;
  std::string xml;
};

// Replaces `path` only once the package is complete; RuntimeError on an I/O failure.
void write_package(const std::filesystem::path& path, const std::vector<WorksheetPart>& sheets,
                   const SharedStringTable& strings);

}  // namespace fenwarx::templates
