#include "support/clean_return.hpp"

#include "layout/code_lists.hpp"
#include "platform/values/dates.hpp"
#include "platform/xlsx/xlsx_workbook.hpp"

namespace fenwarx::testing {
namespace {

using enum Form;

const char* section_of(Form form) { return form == F27 ? "195" : form == F27EQ ? "206C" : "194C"; }

constexpr int kChallanColumns = 24, kDeducteeColumns = 23, kDeductorRows = 38;
constexpr int kSalaryColumns = 34, kPerquisiteColumns = 16;

// Headings "H<column>" in row 1.
Cells headings(int columns) {
  Cells cells;
  for (int column = 1; column <= columns; ++column)
    cells.push_back({1, column, "H" + std::to_string(column)});
  return cells;
}

void type_in(Worksheet& sheet, const Cells& cells) {
  for (const LaidCell& cell : cells)
    sheet.Cells(cell.row, cell.column).SetValue(Variant::text(cell.typed));
}

}  // namespace

Cells with(Cells base, const Cells& changes) {
  for (const LaidCell& change : changes) {
    bool replaced = false;
    for (LaidCell& cell : base)
      if (cell.row == change.row && cell.column == change.column) cell = change, replaced = true;
    if (!replaced) base.push_back(change);
  }
  return base;
}

Cells at_row(int row, const std::vector<std::pair<int, std::string>>& values) {
  Cells cells;
  for (const auto& [column, typed] : values) cells.push_back({row, column, typed});
  return cells;
}

// clang-format off
Cells clean_deductor(Form form) {
  return {{1, 2, "ABCD12345E"}, {2, 2, "ABCDE1234F"}, {3, 2, "Acme"}, {5, 2, "1 Main Road"},
          {10, 2, "DELHI"}, {11, 2, "110001"}, {16, 2, "A"}, {17, 2, "R Kumar"}, {18, 2, "Manager"},
          {19, 2, "x"}, {24, 2, "DELHI"}, {25, 2, "110001"}, {32, 2, "Q1"}, {38, 2, "R"},
          {workbook_layout(form).deductor.rows.of(DeductorRow::FinancialYear), 2, "2005-06"}};
}

// A challan of 1000 paid by book entry: the voucher stands, the transfer goes.
Cells clean_challan(Form form, int row, const std::string& serial) {
  if (form == F24)
    return at_row(row, {{1, serial}, {2, "1000"}, {3, "0"}, {4, "0"}, {5, "0"}, {6, "0"},
                        {7, "1000"}, {9, "0510001"}, {10, "15/05/2005"}, {11, "N"}, {12, "12345"},
                        {13, "T1"}});
  Cells cells = at_row(row, {{1, serial}, {2, section_of(form)}, {3, "1000"}, {4, "0"}, {5, "0"},
                             {6, "0"}, {7, "0"}, {8, "1000"}, {10, "0510001"}, {11, "15/05/2005"},
                             {12, "N"}, {13, "12345"}, {14, "T1"}});
  if (form == F27EQ) cells.push_back({row, 24, "A"});
  return cells;
}

// A deductee paid 1000 with a tax of 100 under challan `serial`.
Cells clean_deductee(Form form, int row, const std::string& serial) {
  const std::string date = "10/05/2005", pan = "ABCDE1234F", bank = "0510001";
  switch (form) {
    case F24:
      return at_row(row, {{1, "1"}, {4, pan}, {5, "Ram Lal"}, {6, date}, {7, "1000"}, {8, "100"},
                          {9, "0"}, {10, "0"}, {11, "100"}, {12, serial}, {13, "100"}, {14, date},
                          {15, date}, {16, "A"}});
    case F27EQ:
      return at_row(row, {{1, "206C"}, {2, "1"}, {3, pan}, {5, "Ram Lal"}, {6, "500"}, {7, "1000"},
                          {8, date}, {9, "N"}, {10, "1"}, {12, "100"}, {13, "0"}, {14, "0"},
                          {15, "100"}, {16, date}, {17, "100"}, {18, bank}, {19, "y"},
                          {20, serial}, {21, "A"}});
    default:
      return at_row(row, {{1, section_of(form)}, {2, "1"}, {3, pan}, {5, "Ram Lal"}, {6, "1000"},
                          {7, date}, {8, "N"}, {9, "10"}, {10, form == F27 ? "N" : ""},
                          {11, "100"}, {12, "0"}, {13, "0"}, {14, "100"}, {15, date}, {16, "100"},
                          {17, bank}, {18, "x"}, {19, serial}, {20, "A"}, {22, "p"}, {23, "q"}});
  }
}
// clang-format on

Cells untaxed_deductee(int row, const std::string& serial) {
  return with(clean_deductee(F24, row, serial), at_row(row, {{8, "0"}, {11, "0"}, {13, "0"}}));
}

Cells clean_salary(int row, const std::string& serial) {
  return at_row(
      row, {{1, serial},   {2, "ABCDE1234F"}, {3, "Ram Lal"}, {4, "01/04/2005"}, {5, "31/03/2006"},
            {6, "120000"}, {7, "0"},          {8, "0"},       {9, "0"},          {11, "10000"},
            {14, "0"},     {16, "10000"},     {17, "0"},      {18, "0"},         {21, "1000"},
            {22, "0"},     {23, "0"},         {24, "0"},      {25, "20"},        {26, "1020"},
            {27, "0"},     {29, "1020"},      {30, "0"},      {31, "0"}});
}

Cells clean_perquisite(int row, const std::string& serial) {
  Cells cells = at_row(row, {{1, "Ram Lal"}, {2, serial}});
  for (int column = 3; column <= 15; ++column)
    cells.push_back({row, column, column == 9 ? "1200" : "0"});
  return cells;
}

std::vector<LaidSheet> clean_return(Form form, int deductees) {
  const WorkbookLayout& p = workbook_layout(form);
  Cells deductor = clean_deductor(form), challans = clean_challan(form), rows;
  for (int row = 1; row <= kDeductorRows; ++row)
    deductor.push_back({row, 1, "L" + std::to_string(row)});
  for (int column = 1; column <= kChallanColumns; ++column)
    challans.push_back({1, column, "H" + std::to_string(column)});
  for (int column = 1; column <= kDeducteeColumns; ++column)
    rows.push_back({1, column, "H" + std::to_string(column)});
  // The challan deposits at least its deductees' tax, 100 each.
  if (deductees > 10) {
    const std::string deposit = std::to_string(100 * deductees);
    const int tax = form == F24 ? 2 : 3, total = form == F24 ? 7 : 8;
    challans = with(challans, {{4, tax, deposit}, {4, total, deposit}});
  }
  // Each row its own: appended, so that a large return costs no more than its cells.
  for (int k = 0; k < deductees; ++k) {
    const Cells row = clean_deductee(form, 3 + k);
    rows.insert(rows.end(), row.begin(), row.end());
  }
  std::vector<LaidSheet> sheets{{std::string(p.deductor.name), deductor},
                                {std::string(p.challans.name), challans},
                                {std::string(p.deductees.name), rows}};
  if (form == F24) {
    sheets.push_back({std::string(p.salaries->name), headings(kSalaryColumns)});
    sheets.push_back({std::string(p.perquisites->name), headings(kPerquisiteColumns)});
  }
  Cells states;
  for (int k = 0; k < 35; ++k) {
    states.push_back(
        {k + 2, 1, std::string{'\'', char('0' + (k + 1) / 10), char('0' + (k + 1) % 10)}});
    states.push_back({k + 2, 2, std::string(kStateNames[static_cast<std::size_t>(k)])});
  }
  sheets.push_back({"State Code", states});
  return sheets;
}

std::shared_ptr<MemoryWorkbook> memory_workbook(const std::vector<LaidSheet>& sheets) {
  auto workbook = std::make_shared<MemoryWorkbook>();
  for (const LaidSheet& laid : sheets) type_in(workbook->add_sheet(laid.name), laid.cells);
  return workbook;
}

void write_workbook(const std::filesystem::path& path, const std::vector<LaidSheet>& sheets) {
  std::vector<std::string> names;
  for (const LaidSheet& laid : sheets) names.push_back(laid.name);
  auto workbook = XlsxWorkbook::create(names);
  for (const LaidSheet& laid : sheets) type_in(*workbook->find_sheet(laid.name), laid.cells);
  workbook->save_as(path);
}

std::string flag_of(const std::filesystem::path& path, Form form) {
  const DeductorSheet& deductor = workbook_layout(form).deductor;
  return XlsxWorkbook::open(path)
      ->Worksheets(deductor.name)
      .Cells(deductor.flag.row, deductor.flag.column)
      .Value()
      .to_text();
}

ReturnBench::ReturnBench(Form form)
    : p(workbook_layout(form)),
      clock(fixed_clock(serial_from_civil({2006, 6, 15}))),
      self(return_class(form), Platform{ui, *clock}) {}

std::string ReturnBench::text(int row, int column) const {
  return sheet->Cells(row, column).Value().to_text();
}

Marks ReturnBench::marks(std::string_view sheet_name, int rows, int columns) const {
  const Worksheet* on = sheet_name.empty() ? sheet : workbook->find_sheet(sheet_name);
  Marks found;
  for (int row = 1; row <= rows; ++row)
    for (int column = 1; column <= columns; ++column)
      if (on->interior_color(row, column) == kColorError) found.emplace_back(row, column);
  return found;
}

}  // namespace fenwarx::testing
