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

std::string salary_year_unusable(std::string_view year) {
  return "verifySalary cannot take '" + std::string(year) +
         "' as the financial year: it needs four digits, such as 2005";
}

std::string salary_errors_found(double count) {
  if (count == 0) return "The salary sheets contain no error.";
  return "The salary sheets contain " + number_text(count) + " errors(s).";
}

std::string certificate_row_status(int row) {
  return " Deductee Records No " + std::to_string(row) + " ..........";
}

Message certificates_not_written(std::string_view where, std::string_view reason) {
  return Message::plain("Certificates not generated: " + std::string(where) + ": " +
                        std::string(reason) + ". The host database keeps its earlier data.");
}

std::string too_long_for_host(std::size_t characters, std::size_t most) {
  return std::to_string(characters) + " characters, more than the " + std::to_string(most) +
         " the host takes";
}

Message procedure_failure(std::string_view procedure, std::string_view description) {
  return Message::plain(std::string(procedure).append(description));
}

Message failure_then(std::string_view description, std::string_view after) {
  return Message::plain(std::string(description).append(after));
}

}  // namespace fenwarx::texts
