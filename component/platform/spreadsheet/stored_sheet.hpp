#pragma once
// A worksheet over a CellStore, a TextPool and a StyleBook: the one sheet class
// behind both the in-memory and the file-backed workbook.
#include <memory>
#include <string>

#include "platform/spreadsheet/cell_store.hpp"
#include "platform/spreadsheet/spreadsheet.hpp"
#include "platform/spreadsheet/style_book.hpp"

namespace fenwarx {

class StoredSheet : public Worksheet {
 public:
  StoredSheet(std::string name, std::shared_ptr<TextPool> texts, std::shared_ptr<StyleBook> styles,
              bool date1904 = false);

  const std::string& Name() const override { return name_; }
  Variant stored_value(int row, int column) const override;
  void store_value(int row, int column, const Variant& value) override;
  Variant value(int row, int column) const override;
  std::string value_text(int row, int column) const override;
  std::string number_format(int row, int column) const override;
  bool has_date_format(int row, int column) const override;
  void set_number_format(int row, int column, std::string_view code) override;
  std::uint32_t interior_color(int row, int column) const override;
  void set_interior_color(int row, int column, std::uint32_t color) override;
  bool date1904() const override { return date1904_; }
  int last_row() const override;
  int last_column() const override;
  std::uint64_t value_changes() const override { return value_changes_; }

  CellStore& store() noexcept { return store_; }
  const CellStore& store() const noexcept { return store_; }
  const TextPool& texts() const noexcept { return *texts_; }
  TextPool& texts() noexcept { return *texts_; }
  StyleBook& styles() noexcept { return *styles_; }

 private:
  Variant value_of(const CellRecord* record) const;
  std::uint32_t style_at(int row, int column) const;  // the cell's, else its row's
  // Gives the cell `style` in place of `current`, marking the change; same style, no change.
  void restyle(int row, int column, std::uint32_t current, std::uint32_t style);

  std::string name_;
  std::shared_ptr<TextPool> texts_;
  std::shared_ptr<StyleBook> styles_;
  bool date1904_;
  CellStore store_;
  std::uint64_t value_changes_ = 0;
};

}  // namespace fenwarx
