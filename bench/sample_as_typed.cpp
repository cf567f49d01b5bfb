#include "sample_as_typed.hpp"

#include "layout/workbook_layout.hpp"
#include "pseudo_random.hpp"

namespace fenwarx::bench {
namespace {

// Apart from the return's own seed, so the typed return draws the same payees.
constexpr std::uint64_t kPaiseSeed = 0x50a15e;

struct TaxColumns {
  int tds;  // surcharge and cess follow
  int total;
};

TaxColumns tax_columns(Form form) {
  switch (form) {
    case Form::F24: return {.tds = 8, .total = 11};
    case Form::F27EQ: return {.tds = 12, .total = 15};
    default: return {.tds = 11, .total = 14};
  }
}

using S = SalaryColumn;
using P = PerquisiteColumn;

// The columns the salary verification fills from the others.
constexpr S kDerivedSalary[] = {S::GrossSalary,      S::Balance,     S::GrossTotalIncome,
                                S::TotalDeductions,  S::TotalIncome, S::NetTaxPayable,
                                S::TotalTaxDeducted, S::BalanceSign, S::BalanceAmount};

template <class Role>
templates::CellValue& cell_of(const TableSheet<Role>* sheet, Row& row, Role role) {
  return row[static_cast<std::size_t>(sheet->columns.of(role) - 1)];
}

// Only Form 26 rounds the deductees' tax parts to whole rupees.
bool rounds_tax_parts(Form form) { return form == Form::F26; }

// A nil part stays nil. The paise come from the cell alone, so a row does not
// depend on the rows before it.
Cents typed(Cents whole, int index, int part) {
  if (whole == 0) return 0;
  PseudoRandom random(kPaiseSeed + static_cast<std::uint64_t>(index) * 3 +
                      static_cast<std::uint64_t>(part));
  const Cents paise = random.between(1, 49);
  return random.chance(50) ? whole + paise : whole - paise;
}

}  // namespace

void type_with_paise(Form form, int index, SampleDeductee& deductee) {
  deductee.typed_tds = typed(deductee.tds, index, 0);
  deductee.typed_surcharge = typed(deductee.surcharge, index, 1);
  deductee.typed_cess = typed(deductee.cess, index, 2);
  if (rounds_tax_parts(form)) return;
  deductee.tds = deductee.typed_tds;
  deductee.surcharge = deductee.typed_surcharge;
  deductee.cess = deductee.typed_cess;
}

void typed_deductee_row(const SampleReturn& data, int index, Row& row) {
  deductee_row(data, index, row);
  const SampleDeductee& d = data.deductees[static_cast<std::size_t>(index)];
  const TaxColumns columns = tax_columns(data.form);
  const auto cell = [&](int column) -> templates::CellValue& {
    return row[static_cast<std::size_t>(column - 1)];
  };
  cell(columns.tds) = templates::CellValue::of_number(rupees(d.typed_tds));
  cell(columns.tds + 1) = templates::CellValue::of_number(rupees(d.typed_surcharge));
  cell(columns.tds + 2) = templates::CellValue::of_number(rupees(d.typed_cess));
  // Form 27 converts the total as a number when it checks the amount paid, before
  // it sums the parts: left empty there, it is an error, so it is typed as 0.
  cell(columns.total) =
      data.form == Form::F27 ? templates::CellValue::of_number(0) : templates::CellValue{};
}

void typed_salary_row(const SampleReturn& data, int index, Row& row) {
  salary_row(data, index, row);
  const TableSheet<S>* sheet = workbook_layout(Form::F24).salaries;
  const auto cell = [&](S role) -> templates::CellValue& { return cell_of(sheet, row, role); };
  if (index % 5 == 4) cell(S::PeriodFrom) = cell(S::PeriodTo) = {};
  if (cell(S::OtherIncome).number == 0) cell(S::OtherIncomeSign) = {};
  if (index % 2 == 1)
    for (S role : kDerivedSalary) cell(role) = {};
}

void typed_perquisite_row(const SampleReturn& data, int index, Row& row) {
  perquisite_row(data, index, row);
  // Every fourth employee has perquisites: every other of them leaves the total.
  if (index % 8 == 4) cell_of(workbook_layout(Form::F24).perquisites, row, P::Total) = {};
}

}  // namespace fenwarx::bench
