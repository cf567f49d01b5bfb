#pragma once
// Compact cell storage shared by the in-memory and the file-backed workbooks:
// about 40 bytes a cell, so a 65,534-row return stays small.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/spreadsheet/record_arena.hpp"

namespace fenwarx {

// Texts of a workbook, referred to by index. A file's shared strings come first,
// in their file order, so index i is shared string i; later texts are appended.
class TextPool {
 public:
  std::uint32_t add(std::string text);
  const std::string& at(std::uint32_t index) const { return texts_[index]; }
  std::uint32_t size() const noexcept { return static_cast<std::uint32_t>(texts_.size()); }
  void reserve(std::size_t n) { texts_.reserve(n); }

 private:
  std::vector<std::string> texts_;
};

enum class CellKind : std::uint8_t { Empty, Number, Text, Boolean, Error };

namespace cell_flag {
inline constexpr std::uint8_t kValueChanged = 1;  // value written since load
inline constexpr std::uint8_t kStyleChanged = 2;  // style index changed since load
inline constexpr std::uint8_t kFormula = 4;       // the loaded cell holds a formula
inline constexpr std::uint8_t kSharedMaster = 8;  // ... and is the master of a shared formula
inline constexpr std::uint8_t kSharedChild = 16;  // ... or a dependent of one
}  // namespace cell_flag

struct CellRecord {
  static constexpr std::uint64_t kNoSource = ~std::uint64_t{0};

  double number = 0;                        // Number; Boolean 0/1; Error code
  std::uint64_t source_offset = kNoSource;  // the codec's: where the cell's XML starts
  std::uint32_t source_length = 0;          // ... and its length
  std::uint32_t column = 0;                 // 1-based
  std::uint32_t style = 0;                  // index into the workbook's StyleBook
  std::uint32_t text = 0;                   // TextPool index for Text
  CellKind kind = CellKind::Empty;
  std::uint8_t flags = 0;
};

// Rows of cells, each row sorted by column. Rows are 1-based.
class CellStore {
 public:
  using Row = std::vector<CellRecord, ArenaAllocator<CellRecord>>;

  CellStore() = default;
  CellStore(const CellStore&) = delete;
  CellStore& operator=(const CellStore&) = delete;

  const CellRecord* find(int row, int column) const;
  // The record at (row, column), inserted empty (style `default_style`) when missing.
  CellRecord& get_or_insert(int row, int column, std::uint32_t default_style = 0);
  // Appends in reading order (rows ascending, columns ascending within a row);
  // the codec's fast path when loading. Falls back to an ordered insert otherwise.
  CellRecord& append(int row, const CellRecord& record);

  int row_count() const noexcept { return static_cast<int>(rows_.size()); }  // last row index
  const Row* row(int row) const;
  int last_column() const noexcept { return last_column_; }
  // Row style defaults (the row's s attribute with customFormat), 0 when none.
  void set_row_style(int row, std::uint32_t style);
  std::uint32_t row_style(int row) const;
  bool row_changed(int row) const;
  bool any_changed() const noexcept { return changed_rows_ > 0; }
  void mark_changed(int row);
  std::size_t cell_count() const noexcept { return cell_count_; }

 private:
  Row empty_row() { return Row(ArenaAllocator<CellRecord>(arena_.get())); }

  std::unique_ptr<RecordArena> arena_ =
      std::make_unique<RecordArena>();     // before rows_: outlives them
  std::vector<Row> rows_;                  // rows_[r - 1]
  std::vector<std::uint32_t> row_styles_;  // sparse in practice; sized on demand
  std::vector<bool> changed_;
  std::size_t changed_rows_ = 0;
  std::size_t cell_count_ = 0;
  int last_column_ = 0;
};

}  // namespace fenwarx
