#include "state/return_object.hpp"

#include <algorithm>
#include <utility>

#include "platform/values/ascii.hpp"
#include "platform/values/runtime_error.hpp"

namespace fenwarx {

ReturnObject::ReturnObject(const ReturnClass& kind, Platform platform)
    : class_(kind), layout_(workbook_layout(kind.form)), platform_(platform) {}

void ReturnObject::hold(std::shared_ptr<Workbook> excel) {
  // Sheets are owned by their workbook: a sheet of a workbook no longer bound
  // must not stay reachable once that workbook may be gone.
  if (excel != workbook) {
    current_sheet = nullptr;
    deductor_sheet = nullptr;
    current_workbook = nullptr;
  }
  workbook = std::move(excel);
}

void ReturnObject::bind(std::shared_ptr<Workbook> excel) {
  hold(std::move(excel));
  ModuleState& module = module_state();
  if (module.workbook != workbook) module.deductee_sheet = nullptr;
  module.workbook = workbook;
  if (!workbook) throw RuntimeError(err::kObjectNotSet);
  deductor_sheet = &workbook->Worksheets(layout_.deductor.name);
  findings.clear();
  notes.clear();
  const CellPlace count = layout_.deductor.log.count;
  deductor_sheet->Cells(count.row, count.column).SetValue(Variant::number(0));
}

Cell ReturnObject::cell(double row, double column) {
  if (current_sheet == nullptr) throw RuntimeError(err::kObjectNotSet);
  return current_sheet->Cells(row, column);
}

std::string ReturnObject::GetCellText(double row, double column) {
  if (current_sheet != nullptr && read_.sheet == current_sheet->id() && read_.row == row &&
      read_.column == column && read_.writes == current_sheet->writes()) {
    last.text.assign(read_.text);
    last.row = row;
    last.column = column;
    return read_.text;
  }
  std::string text;
  try {
    text = cell(row, column).ValueText();
  } catch (const RuntimeError& failure) {
    ui().MsgBox(Message::plain(failure.description()));
    return {};
  }
  // Trimmed in place: most texts have no blank to lose and keep their buffer.
  if (!text.empty() && (text.back() == ' ' || text.front() == ' ')) {
    text.erase(text.find_last_not_of(' ') + 1);  // all blanks: npos + 1 clears it
    text.erase(0, text.find_first_not_of(' '));
  }
  // After the trim, so an apostrophe at either end leaves a blank there.
  if (text.find('\'') != std::string::npos) std::replace(text.begin(), text.end(), '\'', ' ');
  last.text.assign(text);
  last.row = row;
  last.column = column;
  read_.sheet = current_sheet->id();
  read_.row = row;
  read_.column = column;
  read_.writes = current_sheet->writes();
  read_.text.assign(text);
  return text;
}

void ReturnObject::PutCellText(double row, double column, std::string_view text) {
  try {
    cell(row, column).SetValue(Variant::text(trimmed(text)));
  } catch (const RuntimeError& failure) {
    ui().MsgBox(Message::plain(failure.description()));
  }
}

bool& ReturnObject::regular_flag() {
  return class_.regular_flag_per_thread ? module_state().regular_flag : regular_flag_;
}

ModuleState& module_state() {
  thread_local ModuleState state;
  return state;
}

}  // namespace fenwarx
