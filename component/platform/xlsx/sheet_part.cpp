#include "platform/xlsx/sheet_part.hpp"

#include "platform/xlsx/sheet_layout.hpp"
#include "platform/xlsx/sheet_scanner.hpp"
#include "platform/xlsx/sheet_writer.hpp"

namespace fenwarx {

struct SheetPart::Impl {
  std::string part_name;
  std::string xml;
  StoredSheet* sheet;
  SheetLayout layout;
};

SheetPart::SheetPart(std::string part_name, std::string xml, StoredSheet& sheet)
    : impl_(std::make_unique<Impl>(Impl{std::move(part_name), std::move(xml), &sheet, {}})) {
  impl_->layout = scan_sheet(impl_->part_name, impl_->xml, sheet);
}

SheetPart::~SheetPart() = default;
SheetPart::SheetPart(SheetPart&&) noexcept = default;

const std::string& SheetPart::part_name() const noexcept { return impl_->part_name; }

bool SheetPart::changed() const { return impl_->sheet->store().any_changed(); }

bool SheetPart::formula_overwritten() const {
  const CellStore& store = impl_->sheet->store();
  if (!store.any_changed()) return false;
  constexpr std::uint8_t kOverwritten = cell_flag::kFormula | cell_flag::kValueChanged;
  for (int row = 1; row <= store.row_count(); ++row) {
    if (!store.row_changed(row)) continue;
    for (const CellRecord& record : *store.row(row)) {
      if ((record.flags & kOverwritten) == kOverwritten) return true;
    }
  }
  return false;
}

std::string SheetPart::write() const {
  const StoredSheet& sheet = *impl_->sheet;
  if (!sheet.store().any_changed()) return impl_->xml;
  return write_sheet(impl_->xml, impl_->layout, sheet.store(), sheet.texts());
}

}  // namespace fenwarx
