#pragma once
// Where a return's fields sit in its workbook, per form, as data: the labels of
// the deductor sheet's rows, the headings of the challan, deductee, salary and
// perquisite sheets, each field's kind and the closed list it takes values from.
// Headings double as the captions of the error log, so they stay short.
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "returns/form_profile.hpp"

namespace fenwarx::templates {

enum class Kind { Text, Amount, Whole, Date, Rate, Year };

// The closed lists a field's values come from (drop-downs in the template).
enum class Choice { None, Quarter, ReturnType, YesNo, AorB, Category, State, Section, MinorHead,
                    PlusMinus, DeducteeCode };

struct Field {
  std::string_view heading;
  Kind kind = Kind::Text;
  Choice choice = Choice::None;
  double width = 14;
  std::string_view note = {};  // row 2 of the challan sheet; column 3 of the deductor sheet
};

// A sheet of one record per row below its heading rows.
struct Table {
  std::string_view sheet;
  std::vector<Field> fields;  // column N is fields[N - 1]
  int first_data_row;         // challans 4, deductees 3, salaries and perquisites 2
  bool notes_row;             // challans: row 2 notes, row 3 column numbers
  bool numbers_row;           // challans and deductees: a row of column numbers
};

inline constexpr int kDeductorRows = 43;
inline constexpr int kLastDataRow = 65536;  // the walks stop there
inline constexpr int kFinancialYearFormulaRow = 100, kFinancialYearFormulaColumn = 100;
inline constexpr int kErrorLogCountColumn = 31;
inline constexpr std::string_view kStateSheet = "State Code";

struct ReturnLayout {
  const FormProfile* profile;
  std::array<Field, kDeductorRows> deductor;  // row N is deductor[N - 1]
  Table challans, deductees;
  std::vector<Table> salary_sheets;  // Form 24: "Salary Details", "Perquisite Details"
};

const ReturnLayout& return_layout(Form form);

// The sheets of the workbook in order, the "State Code" sheet last.
std::vector<std::string_view> sheet_names(const ReturnLayout& layout);

// The list a field takes its values from, as a validation formula: a quoted
// comma-separated list, or the state names' range on the "State Code" sheet.
std::string choice_source(Choice choice, Form form);

}  // namespace fenwarx::templates
