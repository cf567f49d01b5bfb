#pragma once
// A new workbook package from its parts. The content types, the relationships and
// the workbook part are built here from what the package holds, so every package
// this system creates is laid out alike: worksheet i (from 1) is
// xl/worksheets/sheetI.xml, relationship rIdI of the workbook.
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace fenwarx {

struct NewWorksheet {
  std::string_view name;
  std::string_view xml;
};

// docProps/core.xml: who made the workbook and when ("2005-07-10T09:30:00Z").
struct CoreProperties {
  std::string_view creator;
  std::string_view created;
  std::string_view modified;
};

struct NewPackage {
  std::vector<NewWorksheet> sheets = {};               // in tab order
  std::string_view styles = {};                        // xl/styles.xml
  std::string_view shared_strings = {};                // xl/sharedStrings.xml; none when empty
  std::optional<CoreProperties> core_properties = {};  // docProps/core.xml
  bool full_calc_on_load = false;                      // readers compute every formula on opening
};

using PartSink = std::function<void(std::string_view name, std::string_view xml)>;

// Gives every part of the package to `add`, in the order a file holds them.
void for_each_part(const NewPackage& package, const PartSink& add);

// Writes the package to `path`, each part deflated at `level`; the file appears
// only once complete. RuntimeError on an I/O failure.
void write_package(const std::filesystem::path& path, const NewPackage& package, int level);

}  // namespace fenwarx
