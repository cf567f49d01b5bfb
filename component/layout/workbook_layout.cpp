#include "layout/workbook_layout.hpp"

#include "layout/challan_columns.hpp"
#include "layout/deductee_columns.hpp"
#include "layout/deductor_rows.hpp"
#include "layout/salary_columns.hpp"

namespace fenwarx {
namespace {

constexpr std::string_view kChallanSheet = "Challan Details";
constexpr std::string_view kDeductorProgress = " Verifing Deductor Details Row NO ";
constexpr std::string_view kDeducteeProgress = " Verifing Deductee Details Row NO ";

consteval DeductorSheet deductor_sheet(std::string_view name, const deductor_rows::Rows& rows,
                                       std::string_view progress) {
  return {.name = name,
          .rows = FieldTable<DeductorRow>(rows),
          .label_column = 1,
          .value_column = 2,
          .note_column = 3,
          .log = {.count = {.row = 1, .column = 31},
                  .sheet_column = 30,
                  .row_column = 32,
                  .column_column = 33,
                  .caption_column = 34},
          .flag = {.row = 100, .column = 101},
          .year_formula = {.row = 100, .column = 100},
          .progress = progress};
}

template <std::size_t N>
consteval TableSheet<ChallanColumn> challan_sheet(
    const std::array<Field<ChallanColumn>, N>& columns) {
  return {.name = kChallanSheet,
          .columns = FieldTable<ChallanColumn>(columns),
          .first_row = 4,
          .walked_columns = static_cast<int>(N),
          .end_of_data = {.column = 2, .first_painted = 1, .last_painted = 5},
          .progress = " Verifing Challan Details Row NO ",
          .notes_row = true,
          .numbers_row = true};
}

template <std::size_t N>
consteval TableSheet<DeducteeColumn> deductee_sheet(
    std::string_view name, const std::array<Field<DeducteeColumn>, N>& columns,
    std::string_view progress) {
  return {.name = name,
          .columns = FieldTable<DeducteeColumn>(columns),
          .first_row = 3,
          // Every form clears the marks of columns 1 to 23, as wide as its widest sheet.
          .walked_columns = 23,
          .end_of_data = {.column = 2, .first_painted = 2, .last_painted = 15},
          .progress = progress,
          .numbers_row = true};
}

constexpr EndOfData kSalaryEndOfData{.column = 2, .first_painted = 1, .last_painted = 15};

// clang-format off
constexpr TableSheet<SalaryColumn> kSalaries{
    .name = "Salary Details",
    .columns = FieldTable<SalaryColumn>(salary_columns::kSalary),
    .first_row = 2,
    .walked_columns = 33,  // the balance in column 34 is only written
    .end_of_data = kSalaryEndOfData,
    .progress = " Verifing Salary Details Row NO "};

constexpr TableSheet<PerquisiteColumn> kPerquisites{
    .name = "Perquisite Details",
    .columns = FieldTable<PerquisiteColumn>(salary_columns::kPerquisite),
    .first_row = 2,
    .walked_columns = 33,
    .end_of_data = kSalaryEndOfData,
    .progress = " Verifing Perquiste Details Row NO "};

constexpr PerForm<WorkbookLayout> kLayouts = per_form<WorkbookLayout>({{
    {.form = Form::F24,
     .deductor = deductor_sheet("Deductor Details", deductor_rows::kSalaryDeductor,
                                kDeductorProgress),
     .challans = challan_sheet(challan_columns::kSalary),
     .deductees = deductee_sheet("Deductee Details", deductee_columns::kSalary, kDeducteeProgress),
     .salaries = &kSalaries,
     .perquisites = &kPerquisites},
    {.form = Form::F26,
     .deductor = deductor_sheet("Deductor Details", deductor_rows::kDeductor, kDeductorProgress),
     .challans = challan_sheet(challan_columns::kDeduction),
     .deductees = deductee_sheet("Deductee Details", deductee_columns::kResident,
                                 kDeducteeProgress)},
    {.form = Form::F27,
     .deductor = deductor_sheet("Deductor Details", deductor_rows::kDeductor, kDeductorProgress),
     .challans = challan_sheet(challan_columns::kDeduction),
     .deductees = deductee_sheet("Deductee Details", deductee_columns::kNonResident,
                                 kDeducteeProgress)},
    {.form = Form::F27EQ,
     .deductor = deductor_sheet("Collector Details", deductor_rows::kCollector,
                                " Verifing Collector Details Row NO "),
     .challans = challan_sheet(challan_columns::kCollection),
     .deductees = deductee_sheet("Collectee Details", deductee_columns::kCollection,
                                 " Verifing Collectee Details Row NO ")},
}});
// clang-format on

}  // namespace

const WorkbookLayout& workbook_layout(Form form) { return kLayouts[form_index(form)]; }

}  // namespace fenwarx
