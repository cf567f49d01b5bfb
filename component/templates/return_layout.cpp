#include "templates/return_layout.hpp"

#include "layout/code_lists.hpp"
#include "platform/spreadsheet/cell_reference.hpp"

namespace fenwarx::templates {
namespace {

template <typename Codes>
std::string quoted_list(const Codes& codes) {
  std::string out = "\"";
  for (std::string_view code : codes) {
    if (out.size() > 1) out.push_back(',');
    out.append(code);
  }
  return out + "\"";
}

// "$B$2": a cell that stays put wherever the formula is copied.
std::string absolute_reference(int row, int column) {
  std::string out = "$";
  append_column_letters(out, column);
  return out.append("$").append(std::to_string(row));
}

}  // namespace

std::vector<TableFrame> table_frames(const WorkbookLayout& layout) {
  std::vector<TableFrame> frames{frame_of(layout.challans), frame_of(layout.deductees)};
  if (layout.salaries) frames.push_back(frame_of(*layout.salaries));
  if (layout.perquisites) frames.push_back(frame_of(*layout.perquisites));
  return frames;
}

std::vector<std::string_view> sheet_names(const WorkbookLayout& layout) {
  std::vector<std::string_view> names{layout.deductor.name};
  for (const TableFrame& frame : table_frames(layout)) names.push_back(frame.sheet);
  names.push_back(kStateSheet.name);
  return names;
}

std::string choice_source(Choice choice, Form form) {
  switch (choice) {
    case Choice::Quarter: return quoted_list(kQuarters);
    case Choice::ReturnType: return "\"R,C\"";
    case Choice::YesNo: return "\"Y,N\"";
    case Choice::AorB: return "\"A,B\"";
    case Choice::PlusMinus: return "\"P,N\"";
    case Choice::DeducteeCode: return "\"1,2\"";
    case Choice::MinorHead: return "\"A,B,C,D,E,F,G,H,I\"";
    case Choice::Category: return quoted_list(kDeductorCategories);
    case Choice::Section: return quoted_list(section_codes(form));
    case Choice::State: {
      const std::string first = absolute_reference(kStateSheet.first_row, kStateSheet.name_column);
      const std::string last = absolute_reference(kStateSheet.last_row, kStateSheet.name_column);
      return "'" + std::string(kStateSheet.name) + "'!" + first + ":" + last;
    }
    case Choice::None: break;
  }
  return {};
}

}  // namespace fenwarx::templates
