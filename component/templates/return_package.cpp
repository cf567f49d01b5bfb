#include "templates/return_package.hpp"

#include "platform/xlsx/package_writer.hpp"
#include "templates/workbook_styles.hpp"

namespace fenwarx::templates {
namespace {

constexpr int kDeflateLevel = 6;  // what applications use by default

// Fixed dates, so the same workbook is the same bytes on every run.
constexpr CoreProperties kCoreProperties{
    .creator = "Accounts", .created = "2005-07-10T09:30:00Z", .modified = "2005-07-12T16:05:00Z"};

}  // namespace

void write_package(const std::filesystem::path& path, const std::vector<WorksheetPart>& sheets,
                   const SharedStringTable& strings) {
  const std::string styles = style::styles_xml(), shared_strings = strings.xml();
  // The financial-year formula on the deductor sheet is written without a result.
  NewPackage package{.styles = styles,
                     .shared_strings = shared_strings,
                     .core_properties = kCoreProperties,
                     .full_calc_on_load = true};
  for (const WorksheetPart& sheet : sheets)
    package.sheets.push_back({.name = sheet.name, .xml = sheet.xml});
  fenwarx::write_package(path, package, kDeflateLevel);
}

}  // namespace fenwarx::templates
