#include "templates/return_package.hpp"

#include "platform/files/atomic_file.hpp"
#include "platform/xlsx/zip_writer.hpp"
#include "templates/package_parts.hpp"
#include "templates/workbook_styles.hpp"
#include "templates/xml_text.hpp"

namespace fenwarx::templates {
namespace {

constexpr int kDeflateLevel = 6;  // what applications use by default

}  // namespace

void write_package(const std::filesystem::path& path, const std::vector<WorksheetPart>& sheets,
                   const SharedStringTable& strings) {
  const int count = static_cast<int>(sheets.size());
  std::vector<std::string_view> names;
  for (const WorksheetPart& sheet : sheets) names.push_back(sheet.name);

  AtomicFile file(path);
  ZipWriter zip(file);
  zip.add("[Content_Types].xml", content_types_xml(count), kDeflateLevel);
  zip.add("_rels/.rels", package_relationships_xml(), kDeflateLevel);
  zip.add("xl/_rels/workbook.xml.rels", workbook_relationships_xml(count), kDeflateLevel);
  zip.add("xl/workbook.xml", workbook_xml(names), kDeflateLevel);
  zip.add("xl/styles.xml", style::styles_xml(), kDeflateLevel);
  for (int i = 0; i < count; ++i) {
    std::string name = "xl/worksheets/sheet";
    append_int(name, i + 1);
    zip.add(name.append(".xml"), sheets[static_cast<std::size_t>(i)].xml, kDeflateLevel);
  }
  zip.add("xl/sharedStrings.xml", strings.xml(), kDeflateLevel);
  zip.add("docProps/core.xml", core_properties_xml(), kDeflateLevel);
  zip.finish();
  file.commit();
}

}  // namespace fenwarx::templates
