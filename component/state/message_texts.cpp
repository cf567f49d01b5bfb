#include "state/message_texts.hpp"

#include "platform/spreadsheet/cell_reference.hpp"
#include "platform/values/numbers.hpp"

namespace fenwarx::texts {

std::string empty_year_cell(std::string_view sheet, int row, int column) {
  return "the financial year cell " + std::string(sheet) + "!" + cell_reference(row, column) +
         " is empty";
}

std::string errors_found(double count) {
  return "This sheet contains " + number_text(count) + " errors(s).";
}

Message procedure_failure(std::string_view procedure, std::string_view description) {
  return Message::plain(std::string(procedure).append(description));
}

}  // namespace fenwarx::texts
