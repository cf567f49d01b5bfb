#include "platform/spreadsheet/recorded_workbook.hpp"

#include <map>
#include <utility>

#include "platform/values/ascii.hpp"

namespace fenwarx {
namespace {

// Whether two number format codes read alike: letters of codes ignore case,
// except in quoted text and after a backslash ("DD/MM/YYYY" is "dd/mm/yyyy"),
// so that a code spelled as another spreadsheet spells it is no change.
bool same_format(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  bool quoted = false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] == '\\' && i + 1 < a.size()) {
      if (b[i] != '\\' || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    if (a[i] == '"') quoted = !quoted;
    if (quoted ? a[i] != b[i] : ascii_lower(a[i]) != ascii_lower(b[i])) return false;
  }
  return true;
}

}  // namespace

// A sheet that forwards to its storage and keeps, for each cell a write would
// change, how it stood before the first such write. A write that leaves the
// cell as it is (a mark cleared where there was none) is not kept, so a clean
// run keeps next to nothing.
class RecordedWorkbook::Sheet : public Worksheet {
 public:
  explicit Sheet(StoredSheet& storage) : storage_(storage) {}
  StoredSheet& storage() { return storage_; }

  const std::string& Name() const override { return storage_.Name(); }
  Variant value(int row, int column) const override { return storage_.value(row, column); }
  std::string value_text(int row, int column) const override {
    return storage_.value_text(row, column);
  }
  Variant stored_value(int row, int column) const override {
    return storage_.stored_value(row, column);
  }
  void store_value(int row, int column, const Variant& value) override {
    if (!(storage_.stored_value(row, column) == value)) keep(row, column);
    storage_.store_value(row, column, value);
  }
  std::string number_format(int row, int column) const override {
    return storage_.number_format(row, column);
  }
  bool has_date_format(int row, int column) const override {
    return storage_.has_date_format(row, column);
  }
  void set_number_format(int row, int column, std::string_view code) override {
    if (!same_format(storage_.number_format(row, column), code)) keep(row, column);
    storage_.set_number_format(row, column, code);
  }
  std::uint32_t interior_color(int row, int column) const override {
    return storage_.interior_color(row, column);
  }
  void set_interior_color(int row, int column, std::uint32_t color) override {
    if (storage_.interior_color(row, column) == color) return;
    keep(row, column);
    storage_.set_interior_color(row, column, color);
  }
  bool date1904() const override { return storage_.date1904(); }
  int last_row() const override { return storage_.last_row(); }
  int last_column() const override { return storage_.last_column(); }
  std::uint64_t value_changes() const override { return storage_.value_changes(); }

  void append_changes(std::vector<CellChange>& changes) const {
    for (const auto& [place, before] : before_) {
      const auto [row, column] = place;
      CellChange change{.sheet = Name(),
                        .row = row,
                        .column = column,
                        .value = storage_.stored_value(row, column),
                        .format = storage_.number_format(row, column),
                        .color = storage_.interior_color(row, column)};
      change.value_changed = !(change.value == before.value);
      change.format_changed = !same_format(change.format, before.format);
      change.color_changed = change.color != before.color;
      if (change.value_changed || change.format_changed || change.color_changed)
        changes.push_back(std::move(change));
    }
  }

 private:
  struct Before {
    Variant value;
    std::string format;
    std::uint32_t color;
  };

  void keep(int row, int column) {
    before_.try_emplace({row, column}, Before{.value = storage_.stored_value(row, column),
                                              .format = storage_.number_format(row, column),
                                              .color = storage_.interior_color(row, column)});
  }

  StoredSheet& storage_;
  std::map<std::pair<int, int>, Before> before_;  // by row, then column
};

RecordedWorkbook::RecordedWorkbook() = default;
RecordedWorkbook::~RecordedWorkbook() = default;

StoredSheet& RecordedWorkbook::add_sheet(std::string name) {
  StoredSheet& storage = storage_.add_sheet(std::move(name));
  sheets_.push_back(std::make_unique<Sheet>(storage));
  return storage;
}

std::vector<std::string> RecordedWorkbook::sheet_names() const { return storage_.sheet_names(); }

Worksheet* RecordedWorkbook::find_sheet(std::string_view name) {
  for (const auto& sheet : sheets_) {
    if (sheet->Name() == name) return sheet.get();
  }
  for (const auto& sheet : sheets_) {
    if (equal_ignoring_case(sheet->Name(), name)) return sheet.get();
  }
  return nullptr;
}

StoredSheet* RecordedWorkbook::find_storage(std::string_view name) {
  auto* sheet = static_cast<Sheet*>(find_sheet(name));
  return sheet ? &sheet->storage() : nullptr;
}

std::vector<CellChange> RecordedWorkbook::changes() const {
  std::vector<CellChange> changes;
  for (const auto& sheet : sheets_) sheet->append_changes(changes);
  return changes;
}

}  // namespace fenwarx
