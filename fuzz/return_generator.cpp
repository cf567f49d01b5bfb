#include "return_generator.hpp"

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "layout/workbook_layout.hpp"
#include "support/clean_return.hpp"

namespace fenwarx::fuzzing {
namespace {

using testing::Cells;

// The values a change types in, by what the cell is meant to hold. A change
// usually takes one that fits its column, sometimes one of any list.
// clang-format off
constexpr std::string_view kCodes[] = {
    "ABCDE1234F", "abcde1234f", "ABCDE1234", "ABCDE12345F", "1BCDE1234F", "PANNOTAVBL",
    "PANAPPLIED", "PANINVALID", " ABCDE1234F ", "ABCD12345E", "abcd12345e", "ABCD1234E",
    "ABC123456E", "ABCD123456", "0510001", "'0510001", "510001", "05100011", "12345", "T1"};
constexpr std::string_view kDates[] = {
    "10/05/2005", "01/04/2005", "30/06/2005", "01/07/2005", "31/03/2005", "15/01/2006",
    "31/03/2006", "01/04/2006", "2005-05-10", "10-05-2005", "10.05.2005", "5/10/2005",
    "31/02/2005", "10/05/05", "38482", "0", "-1", "2958466", "29/02/2004", "1/1/1900"};
constexpr std::string_view kAmounts[] = {
    "0", "1000", "100", "0.5", "1.5", "2.5", "100.45", "100.005", "-100", "-0.5",
    "1E+15", "99999999999999", "1E+300", "12345678901234567890", "abc", "100 Rs",
    "1,000", "'100", "10", "20"};
constexpr std::string_view kChoices[] = {
    "1", "2", "0", "3", "Y", "N", "y", "n", "A", "B", "C", "Q1", "Q2", "Q4", "Q5", "R",
    "194C", "194A", "195", "206C", "192", "194Z", "94C", "194c", "206CA", "2005-06", "2005",
    "2006-07", "05-06", "200506"};
constexpr std::string_view kTexts[] = {
    "", " ", "Ram Lal", "Divya^Kulkarni", "^", "Zo\xC3\xAB Pinto", "\xE0\xA4\xB0\xE0\xA4\xBE\xE0\xA4\xAE",
    "#N/A", "#DIV/0!", "#REF!", "#VALUE!", "#NAME?", "TRUE", "FALSE", "a\tb\nc",
    "End of Data", "Delete This Row", "x", "1", "1.5", "-1", "01"};
// clang-format on

std::string long_text(FuzzedDataProvider& input) {
  const std::size_t length = input.ConsumeIntegralInRange<std::size_t>(60, 300);
  return std::string(length, input.ConsumeBool() ? 'x' : '9');
}

template <std::size_t N>
std::string_view pick(FuzzedDataProvider& input, const std::string_view (&values)[N]) {
  return values[input.ConsumeIntegralInRange<std::size_t>(0, N - 1)];
}

// A column or row of a sheet, as a change sees it.
struct Place {
  Kind kind;
  Choice choice;
};

std::string value_for(FuzzedDataProvider& input, const Place& place) {
  switch (input.ConsumeIntegralInRange(0, 9)) {
    case 0: return std::string(pick(input, kCodes));
    case 1: return std::string(pick(input, kDates));
    case 2: return std::string(pick(input, kAmounts));
    case 3: return std::string(pick(input, kChoices));
    case 4: return std::string(pick(input, kTexts));
    case 5: return long_text(input);
    case 6: return input.ConsumeRandomLengthString(24);
    default: break;
  }
  if (place.choice != Choice::None) return std::string(pick(input, kChoices));
  switch (place.kind) {
    case Kind::Amount:
    case Kind::Rate: return std::string(pick(input, kAmounts));
    case Kind::Date: return std::string(pick(input, kDates));
    case Kind::Whole:
    case Kind::Year: return std::string(pick(input, kChoices));
    case Kind::Text: break;
  }
  return std::string(input.ConsumeBool() ? pick(input, kCodes) : pick(input, kTexts));
}

// A sheet of the generated return, by where its data lies.
struct Sheet {
  std::size_t index;  // into the laid sheets
  int first_row;
  int rows;                   // the data rows the clean return gave it
  std::vector<Place> places;  // by column (by row for the deductor sheet)
  bool by_row = false;
};

template <class Role>
std::vector<Place> places_of(const FieldTable<Role>& fields) {
  std::vector<Place> places;
  for (const Field<Role>& field : fields.all())
    places.push_back({.kind = field.kind, .choice = field.choice});
  return places;
}

void type_over(std::vector<LaidSheet>& sheets, std::size_t index, const Cells& cells) {
  sheets[index].cells = testing::with(std::move(sheets[index].cells), cells);
}

void clear_row(std::vector<LaidSheet>& sheets, std::size_t index, int row) {
  for (LaidCell& cell : sheets[index].cells)
    if (cell.row == row) cell.typed.clear();
}

}  // namespace

GeneratedReturn generate_return(FuzzedDataProvider& input) {
  const Form form = kForms[input.ConsumeIntegralInRange<std::size_t>(0, kForms.size() - 1)];
  const WorkbookLayout& layout = workbook_layout(form);
  const int deductees = input.ConsumeIntegralInRange(0, 5);
  GeneratedReturn generated{.form = form, .sheets = testing::clean_return(form, deductees)};
  std::vector<LaidSheet>& sheets = generated.sheets;

  // A second challan, which the deductees below may name.
  int challans = 1;
  if (input.ConsumeBool()) {
    type_over(sheets, testing::kChallanSheet, testing::clean_challan(form, 5, "2"));
    challans = 2;
  }
  int salaries = 0;
  if (form == Form::F24) {
    salaries = input.ConsumeIntegralInRange(0, 3);
    for (int k = 0; k < salaries; ++k) {
      const std::string serial = std::to_string(k + 1);
      type_over(sheets, testing::kSalarySheet, testing::clean_salary(2 + k, serial));
      type_over(sheets, testing::kPerquisiteSheet, testing::clean_perquisite(2 + k, serial));
    }
  }

  std::vector<Sheet> targets{{.index = testing::kDeductorSheet,
                              .first_row = 1,
                              .rows = layout.deductor.rows.count(),
                              .places = places_of(layout.deductor.rows),
                              .by_row = true},
                             {.index = testing::kChallanSheet,
                              .first_row = layout.challans.first_row,
                              .rows = challans,
                              .places = places_of(layout.challans.columns)},
                             {.index = testing::kDeducteeSheet,
                              .first_row = layout.deductees.first_row,
                              .rows = deductees,
                              .places = places_of(layout.deductees.columns)}};
  if (form == Form::F24 && salaries > 0) {
    targets.push_back({.index = testing::kSalarySheet,
                       .first_row = layout.salaries->first_row,
                       .rows = salaries,
                       .places = places_of(layout.salaries->columns)});
    targets.push_back({.index = testing::kPerquisiteSheet,
                       .first_row = layout.perquisites->first_row,
                       .rows = salaries,
                       .places = places_of(layout.perquisites->columns)});
  }

  const int deductee_first = layout.deductees.first_row;
  for (int changes = 0; changes < 32 && input.remaining_bytes() > 0; ++changes) {
    const Sheet& sheet = targets[input.ConsumeIntegralInRange<std::size_t>(0, targets.size() - 1)];
    // A row of the data, or one or two below it (a gap, or a row after the last).
    const int span = sheet.by_row ? sheet.rows : sheet.rows + 2;
    const int row = sheet.first_row + input.ConsumeIntegralInRange(0, std::max(0, span - 1));
    const int place =
        1 + static_cast<int>(input.ConsumeIntegralInRange<std::size_t>(0, sheet.places.size() - 1));
    const Place& what = sheet.places[static_cast<std::size_t>(place - 1)];
    switch (input.ConsumeIntegralInRange(0, 9)) {
      case 0:  // a row emptied: a gap, or the end of the data moved up
        if (!sheet.by_row) clear_row(sheets, sheet.index, row);
        break;
      case 1: {  // one more deductee, under either challan
        const int below = deductee_first + input.ConsumeIntegralInRange(0, deductees + 1);
        const std::string serial = std::to_string(input.ConsumeIntegralInRange(1, challans));
        type_over(sheets, testing::kDeducteeSheet,
                  form == Form::F24 && input.ConsumeBool()
                      ? testing::untaxed_deductee(below, serial)
                      : testing::clean_deductee(form, below, serial));
        break;
      }
      default: {
        const std::string value = value_for(input, what);
        const int column = sheet.by_row ? layout.deductor.value_column : place;
        const int at_row = sheet.by_row ? place : row;
        type_over(sheets, sheet.index, {{at_row, column, value}});
      }
    }
  }
  return generated;
}

}  // namespace fenwarx::fuzzing
