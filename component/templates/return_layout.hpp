#pragma once
// What a blank return workbook shows of the workbook layout: the sheets in order,
// each table sheet's columns with their headings, formats and lists.
#include <string>
#include <string_view>
#include <vector>

#include "layout/workbook_layout.hpp"

namespace fenwarx::templates {

// A field as the template shows it: its heading or label, format, list and hint.
struct FieldLook {
  std::string_view label;
  Kind kind;
  Choice choice;
  double width;
  std::string_view note;
};

// A table sheet as the template lays it out.
struct TableFrame {
  std::string_view sheet;
  std::vector<FieldLook> fields;  // column N is fields[N - 1]
  int first_row;                  // the first data row
  int last_row;                   // list validations reach this far
  bool notes_row;
  bool numbers_row;
};

template <class Role>
TableFrame frame_of(const TableSheet<Role>& table) {
  TableFrame frame{.sheet = table.name,
                   .fields = {},
                   .first_row = table.first_row,
                   .last_row = table.last_row,
                   .notes_row = table.notes_row,
                   .numbers_row = table.numbers_row};
  for (const Field<Role>& field : table.columns.all())
    frame.fields.push_back({.label = field.label,
                            .kind = field.kind,
                            .choice = field.choice,
                            .width = field.width,
                            .note = field.note});
  return frame;
}

// The table sheets of the form's workbook in order: challans, deductees, and Form
// 24's salary and perquisite sheets.
std::vector<TableFrame> table_frames(const WorkbookLayout& layout);

// The sheets of the workbook in order, the "State Code" sheet last.
std::vector<std::string_view> sheet_names(const WorkbookLayout& layout);

// The list a field takes its values from, as a validation formula: a quoted
// comma-separated list, or the state names' range on the "State Code" sheet.
std::string choice_source(Choice choice, Form form);

}  // namespace fenwarx::templates
