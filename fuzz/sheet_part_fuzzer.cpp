// Any bytes taken as a worksheet part must load or fail with a RuntimeError; a
// part that loaded is changed and written, and what we write must load again and
// give back every cell we did not change.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/spreadsheet/memory_style_book.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/xlsx/sheet_part.hpp"

namespace {

std::shared_ptr<fenwarx::TextPool> shared_strings() {
  auto pool = std::make_shared<fenwarx::TextPool>();
  for (const char* text : {"Amount", "   ", "Rich text", "A & B"}) pool->add(text);
  return pool;
}

[[noreturn]] void finding(const char* what, int row, int column) {
  std::fprintf(stderr, "%s at row %d column %d\n", what, row, column);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto styles = std::make_shared<fenwarx::MemoryStyleBook>();
  fenwarx::StoredSheet sheet("Fuzz", shared_strings(), styles);
  std::string written;
  try {
    fenwarx::SheetPart part("xl/worksheets/sheet1.xml",
                            std::string(reinterpret_cast<const char*>(data), size), sheet);
    sheet.Cells(1, 1).SetValue(fenwarx::Variant::number(1.5));
    sheet.Cells(2, 2).SetValue(fenwarx::Variant::text(" <&> "));
    sheet.Cells(3, 1).SetInteriorColor(fenwarx::kColorError);
    written = part.write();
  } catch (const fenwarx::RuntimeError&) {
    return 0;
  }

  fenwarx::StoredSheet again("Fuzz", shared_strings(), styles);
  try {
    fenwarx::SheetPart reread("xl/worksheets/sheet1.xml", written, again);
  } catch (const fenwarx::RuntimeError& e) {
    std::fprintf(stderr, "written part does not load: %d %s\n", e.number(),
                 e.description().c_str());
    std::abort();
  }
  const auto& store = sheet.store();
  for (int r = 1; r <= store.row_count(); ++r) {
    const auto* row = store.row(r);
    if (!row) continue;
    for (const auto& cell : *row) {
      const int c = static_cast<int>(cell.column);
      const auto before = sheet.stored_value(r, c);
      const auto after = again.stored_value(r, c);
      // NaN never equals itself; it cannot come from a well-formed number anyway.
      if (before.type() == fenwarx::VariantType::Number &&
          before.number_value() != before.number_value())
        continue;
      if (!(before == after)) finding("cell changed by the round trip", r, c);
    }
  }
  return 0;
}
