#include "platform/xlsx/xlsx_workbook.hpp"

#include <optional>

#include "platform/files/atomic_file.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/content_types.hpp"
#include "platform/xlsx/new_package.hpp"
#include "platform/xlsx/package_xml.hpp"
#include "platform/xlsx/relationships.hpp"
#include "platform/xlsx/shared_strings.hpp"
#include "platform/xlsx/sheet_part.hpp"
#include "platform/xlsx/styles_part.hpp"
#include "platform/xlsx/workbook_part.hpp"
#include "platform/xlsx/zip_reader.hpp"
#include "platform/xlsx/zip_writer.hpp"

namespace fenwarx {

namespace {

constexpr std::string_view kStylesRelationship =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";

bool same_part(std::string_view a, std::string_view b) { return equal_ignoring_case(a, b); }

}  // namespace

struct XlsxWorkbook::Impl {
  std::filesystem::path path;
  std::string file_name;              // for messages
  std::unique_ptr<ZipReader> reader;  // the opened file, kept for raw copies
  std::vector<PackagePart> memory;    // or the parts of a created workbook

  std::optional<ContentTypes> types;
  std::optional<WorkbookPart> workbook;
  std::optional<Relationships> workbook_rels;
  std::string workbook_type;
  std::shared_ptr<TextPool> texts = std::make_shared<TextPool>();
  std::shared_ptr<XlsxStyleBook> styles;
  bool styles_in_package = true;  // false: read as the default, added when changed
  bool styles_added = false;
  std::string calc_chain;  // the calculation chain part, dropped on a formula overwrite
  bool calc_chain_dropped = false;
  std::vector<std::unique_ptr<StoredSheet>> sheets;
  std::vector<SheetPart> parts;

  [[noreturn]] void damaged(std::string_view part) const {
    throw RuntimeError(err::kApplication,
                       file_name + " is damaged: part " + std::string(part) + " is missing");
  }

  std::optional<std::string> read(std::string_view name) const {
    if (reader) {
      const ZipEntry* entry = reader->find(name);
      if (!entry) return std::nullopt;
      return reader->read(*entry);
    }
    for (const auto& part : memory)
      if (part.name == name) return part.xml;
    for (const auto& part : memory)
      if (same_part(part.name, name)) return part.xml;
    return std::nullopt;
  }

  std::string require(std::string_view name) const {
    auto xml = read(name);
    if (!xml) damaged(name);
    return std::move(*xml);
  }

  // A related part the workbook may lack; when the relationship names a missing
  // part the package is damaged.
  std::optional<std::string> related(std::string_view kind, std::string* part_name = nullptr) {
    const Relationship* rel = workbook_rels->find_kind(kind);
    if (!rel || rel->part.empty()) return std::nullopt;
    if (part_name) *part_name = rel->part;
    return require(rel->part);
  }

  void load();
  void write(const std::filesystem::path& target);
  std::optional<std::string> rewritten(std::string_view name) const;
};

void XlsxWorkbook::Impl::load() {
  types.emplace(require(kContentTypesPart));
  const std::string package_rels_name = relationships_part_for("");
  Relationships package_rels(package_rels_name, require(package_rels_name), "");
  const Relationship* office = package_rels.find_kind("officeDocument");
  if (!office || office->part.empty()) damaged("officeDocument relationship");

  workbook.emplace(office->part, require(office->part));
  workbook_type = types->of(office->part);
  const std::string rels_name = relationships_part_for(office->part);
  workbook_rels.emplace(rels_name, require(rels_name), office->part);

  std::string sst_name;
  if (auto sst = related("sharedStrings", &sst_name)) read_shared_strings(sst_name, *sst, *texts);
  std::string styles_name;
  if (auto xml = related("styles", &styles_name)) {
    styles = std::make_shared<XlsxStyleBook>(styles_name, *xml);
  } else {
    styles = std::make_shared<XlsxStyleBook>(resolve_target(office->part, "styles.xml"),
                                             default_styles_xml());
    styles_in_package = false;
  }
  if (const Relationship* chain = workbook_rels->find_kind("calcChain")) calc_chain = chain->part;

  for (const SheetEntry& entry : workbook->sheets()) {
    const Relationship* rel = workbook_rels->find_id(entry.relationship_id);
    if (!rel) damaged("for the sheet '" + entry.name + "'");
    if (!Relationships::is_kind(*rel, "worksheet")) continue;
    std::string xml = require(rel->part);
    auto sheet = std::make_unique<StoredSheet>(entry.name, texts, styles, workbook->date1904());
    parts.emplace_back(rel->part, std::move(xml), *sheet);
    sheets.push_back(std::move(sheet));
  }
}

std::optional<std::string> XlsxWorkbook::Impl::rewritten(std::string_view name) const {
  if (same_part(name, kContentTypesPart)) {
    if (types->changed()) return types->write();
  } else if (same_part(name, workbook->part_name())) {
    if (workbook->changed()) return workbook->write();
  } else if (same_part(name, workbook_rels->part_name())) {
    if (workbook_rels->changed()) return workbook_rels->write();
  } else if (same_part(name, styles->part_name())) {
    if (styles->changed()) return styles->write();
  } else {
    for (const SheetPart& part : parts)
      if (same_part(name, part.part_name()) && part.changed()) return part.write();
  }
  return std::nullopt;
}

void XlsxWorkbook::Impl::write(const std::filesystem::path& target) {
  bool formula_overwritten = false;
  for (const SheetPart& part : parts) formula_overwritten |= part.formula_overwritten();
  if (formula_overwritten) {
    // The chain lists formula cells that may no longer exist; the application
    // rebuilds it when it recalculates on opening.
    if (!calc_chain.empty()) {
      if (const Relationship* chain = workbook_rels->find_kind("calcChain"))
        workbook_rels->remove(std::string(chain->id));
      types->remove_override(calc_chain);
      calc_chain_dropped = true;
    }
    workbook->set_full_calc_on_load();
  }
  if (styles->changed() && !styles_in_package) {
    std::string target_name = styles->part_name();
    workbook_rels->add(kStylesRelationship, "/" + target_name);
    types->add_override(target_name, content_type::kStyles);
    styles_in_package = true;
    styles_added = true;
  }

  AtomicFile out(target);
  ZipWriter zip(out);
  bool styles_written = false;
  auto skipped = [&](std::string_view name) {
    if (calc_chain_dropped && same_part(name, calc_chain)) return true;
    if (!styles_added || !same_part(name, styles->part_name())) return false;
    if (styles_written) return true;
    styles_written = true;  // an unrelated entry of that name: the new styles take its place
    return false;
  };
  if (reader) {
    for (const ZipEntry& entry : reader->entries()) {
      if (skipped(entry.name)) continue;
      if (auto xml = rewritten(entry.name))
        zip.add(entry.name, *xml, 1, &entry);
      else
        zip.add_raw(entry, reader->read_raw(entry));
    }
  } else {
    for (const PackagePart& part : memory) {
      if (skipped(part.name)) continue;
      auto xml = rewritten(part.name);
      zip.add(part.name, xml ? *xml : part.xml);
    }
  }
  if (styles_added && !styles_written) zip.add(styles->part_name(), styles->write());
  zip.finish();
  out.commit();
  path = target;
  file_name = target.filename().string();
}

XlsxWorkbook::XlsxWorkbook() : impl_(std::make_unique<Impl>()) {}
XlsxWorkbook::~XlsxWorkbook() = default;

std::shared_ptr<XlsxWorkbook> XlsxWorkbook::open(const std::filesystem::path& path) {
  std::shared_ptr<XlsxWorkbook> book(new XlsxWorkbook());
  Impl& impl = *book->impl_;
  impl.path = path;
  impl.file_name = path.filename().string();
  impl.reader = std::make_unique<ZipReader>(path);
  impl.load();
  return book;
}

std::shared_ptr<XlsxWorkbook> XlsxWorkbook::create(const std::vector<std::string>& sheet_names) {
  std::shared_ptr<XlsxWorkbook> book(new XlsxWorkbook());
  Impl& impl = *book->impl_;
  impl.file_name = "the new workbook";
  impl.memory = new_package(sheet_names);
  impl.load();
  return book;
}

void XlsxWorkbook::save() {
  if (impl_->path.empty())
    throw RuntimeError(err::kInvalidCall, "A new workbook is saved with save_as first");
  impl_->write(impl_->path);
}

void XlsxWorkbook::save_as(const std::filesystem::path& path) { impl_->write(path); }

bool XlsxWorkbook::modified() const {
  if (impl_->styles->changed() || impl_->types->changed() || impl_->workbook->changed() ||
      impl_->workbook_rels->changed())
    return true;
  for (const SheetPart& part : impl_->parts)
    if (part.changed()) return true;
  return false;
}

bool XlsxWorkbook::macro_enabled() const {
  return impl_->workbook_type.find("macroEnabled") != std::string::npos;
}

const std::filesystem::path& XlsxWorkbook::path() const { return impl_->path; }

std::filesystem::path XlsxWorkbook::Path() const {
  if (impl_->path.empty()) return {};
  return std::filesystem::absolute(impl_->path).lexically_normal().parent_path();
}

std::vector<std::string> XlsxWorkbook::sheet_names() const {
  std::vector<std::string> names;
  for (const auto& sheet : impl_->sheets) names.push_back(sheet->Name());
  return names;
}

Worksheet* XlsxWorkbook::find_sheet(std::string_view name) {
  for (const auto& sheet : impl_->sheets)
    if (sheet->Name() == name) return sheet.get();
  for (const auto& sheet : impl_->sheets)
    if (equal_ignoring_case(sheet->Name(), name)) return sheet.get();
  return nullptr;
}

StoredSheet& XlsxWorkbook::sheet(std::size_t index) {
  if (index >= impl_->sheets.size()) throw RuntimeError(err::kSubscript);
  return *impl_->sheets[index];
}

std::size_t XlsxWorkbook::sheet_count() const { return impl_->sheets.size(); }

}  // namespace fenwarx
