#pragma once
// What the return file cannot carry, found where it was typed: a cell that feeds a
// record and holds an error value (#N/A), or whose text holds "^" (the file's
// delimiter) or a character outside printable ASCII, or whose text, written as
// its field writes it, breaks the field's rule or width (a date that is no date,
// a negative amount, a reason of two letters). Each is a finding at its cell,
// whether or not its column has a rule of its own.
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "layout/fed_fields.hpp"
#include "layout/field_table.hpp"
#include "platform/spreadsheet/spreadsheet.hpp"
#include "state/finding_rules.hpp"

namespace fenwarx {

class ReturnObject;

// Tabs and line breaks pass: the writer removes them.
bool file_can_carry(std::string_view text);

// Whether the cell holds neither an error value nor text the file cannot carry.
bool cell_carries(const Worksheet& sheet, int row, int column);

// The first rule that `text`, written into each of `fields`, breaks; None when
// it fits them all.
Rule misfit(std::span<const ReturnField* const> fields, std::string_view text);

// The fed cells of one row of a walk, the error values among them noted before
// the row's steps run (a step may write over them) and judged after, with the
// texts the row's record kept. A cell marked for what the file cannot carry keeps
// what the user typed: a step that normalised it (a sum written over it, "N" for
// a yes-or-no) would leave a value the next run passes, and the mark would be
// lost with the value.
class FedRow {
 public:
  // The columns of a sheet laid out by `table` whose roles `fed` lists.
  template <class Role>
  FedRow(ReturnObject& self, Worksheet& sheet, const FieldTable<Role>& table,
         const FedRoles<Role>& fed)
      : self_(self), sheet_(sheet) {
    int column = 0;
    for (const auto& field : table.all()) {
      ++column;
      const auto role = static_cast<std::size_t>(field.role);
      if (!fed.any[role]) continue;
      columns_.push_back(column);
      fields_.push_back(fed.alone[role]);
    }
    originals_.resize(columns_.size());
  }

  void before(int row);
  // `kept(column)`: the text the record keeps of that column.
  template <class Kept>
  void after(int row, Kept kept) {
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      const std::string_view text = kept(columns_[i]);
      if (originals_[i] && originals_[i]->type() == VariantType::Error)
        mark(row, i, Rule::ErrorValue);
      else if (!file_can_carry(text))
        mark(row, i, Rule::FileCharacter);
      else if (const Rule rule = misfit(fields_[i], text); rule != Rule::None)
        mark(row, i, rule);
    }
  }

 private:
  void mark(int row, std::size_t index, Rule rule);

  ReturnObject& self_;
  Worksheet& sheet_;
  std::vector<int> columns_;
  std::vector<std::span<const ReturnField* const>> fields_;  // that columns_[i] feeds alone
  // What columns_[i] held before the steps, when the file cannot carry it.
  std::vector<std::optional<Variant>> originals_;
};

// Marks one cell as FedRow does, for a cell whose text is read as it stands and
// feeds `fields` alone.
void check_fed_cell(ReturnObject& self, Worksheet& sheet, int row, int column,
                    std::span<const ReturnField* const> fields);

}  // namespace fenwarx
