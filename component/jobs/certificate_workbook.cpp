#include "jobs/certificate_workbook.hpp"

#include <string>
#include <unordered_map>
#include <variant>

#include "export/record_plan.hpp"
#include "layout/certificate_layout.hpp"
#include "platform/values/ascii.hpp"
#include "platform/values/dates.hpp"
#include "state/message_texts.hpp"

namespace fenwarx::jobs {
namespace {

namespace cl = certificate_layout;

// Each value of `from` as the text a cell reader gets of it, so that reading the
// copy gives what reading the sheet gives; formats, fills and formulas stay behind.
void copy_texts(const Worksheet& from, Worksheet& to) {
  const auto copy = [&](int row, int column) {
    std::string text = from.value_text(row, column);
    if (!text.empty()) to.store_value(row, column, Variant::text(std::move(text)));
  };
  if (const auto* stored = dynamic_cast<const StoredSheet*>(&from)) {
    const CellStore& store = stored->store();
    for (int row = 1; row <= store.row_count(); ++row)
      if (const CellStore::Row* cells = store.row(row))
        for (const CellRecord& cell : *cells)
          if (cell.kind != CellKind::Empty) copy(row, static_cast<int>(cell.column));
    return;
  }
  for (int row = 1; row <= from.last_row(); ++row)
    for (int column = 1; column <= from.last_column(); ++column) copy(row, column);
}

// The challans the return file would carry, by their serial's key: the first of
// a serial given twice.
std::unordered_map<double, const ChallanRecord*> challans_of(const ReturnObject& object) {
  std::unordered_map<double, const ChallanRecord*> by_serial;
  const auto& challans = object.records.challans;
  const auto count = static_cast<std::size_t>(std::max(0.0, object.totals.challan_count));
  for (std::size_t i = 0; i < challans.size() && i < count; ++i)
    by_serial.try_emplace(challan_key(challans[i][ChallanColumn::SerialNumber]), &challans[i]);
  return by_serial;
}

}  // namespace

std::shared_ptr<MemoryWorkbook> certificate_workbook(ReturnObject& object, const Workbook& source) {
  const WorkbookLayout& layout = object.layout();
  auto workbook = std::make_shared<MemoryWorkbook>();
  workbook->set_path(source.Path());
  StoredSheet& deductor = workbook->add_sheet(std::string(layout.deductor.name));
  copy_texts(*object.deductor_sheet, deductor);
  StoredSheet& rows = workbook->add_sheet(std::string(layout.deductees.name));
  if (object.error_count > 0) {
    deductor.store_value(layout.deductor.flag.row, layout.deductor.flag.column,
                         Variant::text(std::string(texts::kFlagError)));
    return workbook;
  }

  const auto challans = challans_of(object);
  const std::string today = long_date_text(object.clock().today());
  const std::string_view fallback = cl::fallback_section(object.form());
  int row = cl::kFirstRow;
  for (const DeducteeRecord& record : object.records.deductees) {
    const auto challan = challans.find(challan_key(record[DeducteeColumn::ChallanSerial]));
    std::string section = trimmed(record[DeducteeColumn::Section]);
    if (section.empty()) section = fallback;
    if (section.empty())
      throw RuntimeError(err::kApplication,
                         std::string(layout.deductees.name) + " row " +
                             std::to_string(layout.deductees.first_row + row - cl::kFirstRow) +
                             " has no section code, which its certificate row needs");
    for (const cl::FillColumn& fill : cl::kFill) {
      std::string text = std::visit(
          [&](const auto& source) -> std::string {
            using Source = std::decay_t<decltype(source)>;
            if constexpr (std::is_same_v<Source, cl::DeducteeField>) {
              return source.role == DeducteeColumn::Section ? section
                                                            : std::string(record[source.role]);
            } else if constexpr (std::is_same_v<Source, cl::ChallanField>) {
              return challan == challans.end() ? std::string()
                                               : std::string((*challan->second)[source.role]);
            } else if constexpr (std::is_same_v<Source, cl::IssueDate>) {
              return today;
            } else {
              return std::string(section_description(section));
            }
          },
          fill.source);
      if (!text.empty()) rows.store_value(row, fill.column, Variant::text(std::move(text)));
    }
    ++row;
  }
  return workbook;
}

}  // namespace fenwarx::jobs
