#include "platform/spreadsheet/cell_store.hpp"

#include <algorithm>

namespace fenwarx {

std::uint32_t TextPool::add(std::string text) {
  texts_.push_back(std::move(text));
  return static_cast<std::uint32_t>(texts_.size() - 1);
}

namespace {

template <typename Cells>
auto lower_column(Cells& cells, int column) {
  return std::lower_bound(cells.begin(), cells.end(), column, [](const CellRecord& r, int c) {
    return static_cast<int>(r.column) < c;
  });
}

// The record for `column` in a row, or null; shared by the const and mutable paths.
template <typename Cells>
auto find_in(Cells& cells, int column) -> decltype(&cells.front()) {
  // Past the last cell is the common miss when a row is scanned left to right.
  if (cells.empty() || static_cast<int>(cells.back().column) < column) return nullptr;
  // A row typed without gaps holds column c at c - 1.
  const auto at = static_cast<std::size_t>(column - 1);
  if (at < cells.size() && static_cast<int>(cells[at].column) == column) return &cells[at];
  auto it = lower_column(cells, column);
  return static_cast<int>(it->column) == column ? &*it : nullptr;
}

}  // namespace

const CellRecord* CellStore::find(int row, int column) const {
  const Row* cells = this->row(row);
  return cells ? find_in(*cells, column) : nullptr;
}

CellRecord& CellStore::get_or_insert(int row, int column, std::uint32_t default_style) {
  if (row >= 1 && static_cast<std::size_t>(row) <= rows_.size()) {
    if (CellRecord* found = find_in(rows_[static_cast<std::size_t>(row) - 1], column))
      return *found;
  }
  CellRecord record;
  record.column = static_cast<std::uint32_t>(column);
  record.style = default_style;
  return append(row, record);
}

CellRecord& CellStore::append(int row, const CellRecord& record) {
  if (static_cast<std::size_t>(row) > rows_.size())
    rows_.resize(static_cast<std::size_t>(row), empty_row());
  Row& cells = rows_[static_cast<std::size_t>(row) - 1];
  const int column = static_cast<int>(record.column);
  if (cells.empty() || static_cast<int>(cells.back().column) < column) {
    // Rows of a return are alike: size a new row like the one above it.
    if (cells.empty() && row > 1) cells.reserve(rows_[static_cast<std::size_t>(row) - 2].size());
    cells.push_back(record);
    ++cell_count_;
    last_column_ = std::max(last_column_, column);
    return cells.back();
  }
  auto it = lower_column(cells, column);
  if (static_cast<int>(it->column) == column) {
    *it = record;  // a repeated reference: the later one wins
    return *it;
  }
  ++cell_count_;
  return *cells.insert(it, record);
}

const CellStore::Row* CellStore::row(int row) const {
  if (row < 1 || static_cast<std::size_t>(row) > rows_.size()) return nullptr;
  return &rows_[static_cast<std::size_t>(row) - 1];
}

void CellStore::set_row_style(int row, std::uint32_t style) {
  if (row < 1) return;
  if (static_cast<std::size_t>(row) > row_styles_.size()) {
    if (style == 0) return;
    row_styles_.resize(static_cast<std::size_t>(row), 0);
  }
  row_styles_[static_cast<std::size_t>(row) - 1] = style;
}

std::uint32_t CellStore::row_style(int row) const {
  if (row < 1 || static_cast<std::size_t>(row) > row_styles_.size()) return 0;
  return row_styles_[static_cast<std::size_t>(row) - 1];
}

bool CellStore::row_changed(int row) const {
  return row >= 1 && static_cast<std::size_t>(row) <= changed_.size() &&
         changed_[static_cast<std::size_t>(row) - 1];
}

void CellStore::mark_changed(int row) {
  if (row < 1) return;
  if (static_cast<std::size_t>(row) > changed_.size())
    changed_.resize(static_cast<std::size_t>(row));
  auto flag = changed_[static_cast<std::size_t>(row) - 1];
  if (!flag) {
    flag = true;
    ++changed_rows_;
  }
}

}  // namespace fenwarx
