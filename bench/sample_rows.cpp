#include "sample_rows.hpp"

#include <algorithm>
#include <cmath>

namespace fenwarx::bench {
namespace {

using templates::CellValue;

constexpr int kYearStart = 38443, kYearEnd = 38807;  // 01/04/2005, 31/03/2006
constexpr int kNilChallanDay = 38533;                // 30/06/2005
constexpr int kPreparationDay = 38543;               // 10/07/2005

CellValue text(std::string value) { return CellValue::of_text(std::move(value)); }
CellValue number(double value) { return CellValue::of_number(value); }
CellValue money(Cents cents) { return CellValue::of_number(rupees(cents)); }
CellValue flag(bool yes) { return text(yes ? "Y" : "N"); }
CellValue reason(char letter) { return letter ? text(std::string(1, letter)) : CellValue{}; }

// The annual figures of an employee whose monthly salary is `monthly` rupees.
struct AnnualSalary {
  double salary, perquisites, gross, exempt, balance, other_income, gross_total, deduction_80c,
      deduction_80d, deductions, total_income, tax, cess, payable;
};

double perquisite_value(double monthly) {
  const double accommodation = std::round(monthly * 12 * 0.10 / 100) * 100 - 12000;
  return std::max(0.0, accommodation) + 14400 + 6000;
}

AnnualSalary annual_salary(const SampleDeductee& d, int index) {
  AnnualSalary a{};
  const double monthly = rupees(d.amount);
  a.salary = monthly * 12;
  a.perquisites = has_perquisites(index) ? perquisite_value(monthly) : 0;
  a.gross = a.salary + a.perquisites;
  a.exempt = std::min(a.gross, 9600.0 + std::round(monthly * 0.04) * 12);
  a.balance = a.gross - a.exempt;
  a.other_income = index % 5 == 0 ? 12000 : 0;
  a.gross_total = a.balance + a.other_income;
  a.deduction_80c = std::min(100000.0, std::round(a.gross_total * 0.08 / 100) * 100);
  a.deduction_80d = index % 3 == 0 ? 10000 : 0;
  a.deductions = a.deduction_80c + a.deduction_80d;
  a.total_income = std::max(0.0, a.gross_total - a.deductions);
  // The slabs of 2005-06: nil to 1 lakh, 10% to 1.5 lakh, 20% to 2.5 lakh, 30% above.
  const double t = a.total_income;
  a.tax = std::round(std::max(0.0, std::min(t, 150000.0) - 100000) * 0.10 +
                     std::max(0.0, std::min(t, 250000.0) - 150000) * 0.20 +
                     std::max(0.0, t - 250000) * 0.30);
  a.cess = std::round(a.tax * 0.02);
  a.payable = a.tax + a.cess;
  return a;
}

}  // namespace

std::vector<CellValue> deductor_values(const SampleReturn& data) {
  // clang-format off
  std::vector<CellValue> rows = {
      text("DELS12345F"), text("AAACS1234K"), text("Sunrise Engineering Works Pvt Ltd"),
      text("Head Office"), text("14"), text("Shanti Bhavan"), text("Pusa Road"),
      text("Karol Bagh"), text("New Delhi"), text("DELHI"), number(110005), text("011"),
      text("25761234"), text("accounts@sunrise-eng.example"), text("N"), text("K"),
      text("Rajesh Malhotra"), text("Manager (Accounts)"), text("B-22"),
      text("Green Park Apartments"), text("Aurobindo Marg"), text("Green Park"),
      text("New Delhi"), text("DELHI"), number(110016), text("011"), text("26851234"),
      text("rajesh.malhotra@sunrise-eng.example"),
      text("2006-07"), text("2005-06"), number(kNilChallanDay),  // rows 29 to 31 of Forms 26, 27
      text("Q1"), money(data.amount_paid), money(data.tax_deducted), money(data.challan_total),
      number(static_cast<double>(data.challans.size())),
      number(static_cast<double>(data.deductees.size())), text("R"), number(kPreparationDay),
      text("New Delhi"), text("Rajesh Malhotra"), text("Manager (Accounts)"), CellValue{}};
  if (data.form == Form::F24) {
    rows[28] = text("2006-07");
    rows[29] = text("N");
    rows[30] = text("2005-06");
  } else if (data.form == Form::F27EQ) {
    // clang-format on
    rows[2] = text("Sunrise Timber & Scrap Traders Pvt Ltd");
    std::swap(rows[28], rows[29]);
  }
  return rows;
}

void challan_row(const SampleReturn& data, int index, Row& row) {
  const SampleChallan& c = data.challans[static_cast<std::size_t>(index)];
  const bool cash = c.cheque == 0;
  row = {number(index + 1),
         text(c.section),
         money(whole_rupees_up(c.tds)),
         money(whole_rupees_up(c.surcharge)),
         money(whole_rupees_up(c.cess)),
         money(c.interest),
         number(0),
         money(c.total()),
         cash ? CellValue{} : number(c.cheque),
         text(c.bsr_code),
         number(c.deposit_day),
         flag(false),
         text(c.challan_number),
         CellValue{},
         cash ? text("Cash") : CellValue{},
         number(c.deductees),
         money(c.tds),
         money(c.surcharge),
         money(c.cess),
         money(c.interest),
         number(0),
         money(c.deducted),
         money(c.deducted)};
  if (data.form == Form::F27EQ) row.push_back(text(std::string(1, c.minor_head)));
  if (data.form == Form::F24) row.erase(row.begin() + 1);
}

void deductee_row(const SampleReturn& data, int index, Row& row) {
  const SampleDeductee& d = data.deductees[static_cast<std::size_t>(index)];
  const SampleChallan& c = data.challans[static_cast<std::size_t>(d.challan)];
  const double serial = d.challan + 1;
  if (data.form == Form::F24) {
    row = {number(index + 1),     text(d.employee_reference),
           text("192B"),          text(d.pan),
           text(d.name),          number(d.payment_day),
           money(d.amount),       money(d.tds),
           money(d.surcharge),    money(d.cess),
           money(d.deducted()),   number(serial),
           money(d.deducted()),   number(d.payment_day),
           number(c.deposit_day), CellValue{}};
    return;
  }
  row = {text(c.section),       number(d.company ? 1 : 2),
         text(d.pan),           text(d.pan_reference),
         text(d.name),          money(d.amount),
         number(d.payment_day), flag(d.book_entry),
         number(d.rate),        data.form == Form::F27 ? flag(false) : CellValue{},
         money(d.tds),          money(d.surcharge),
         money(d.cess),         money(d.deducted()),
         number(d.payment_day), money(d.deducted()),
         text(c.bsr_code),      number(c.deposit_day),
         number(serial),        reason(d.reason),
         CellValue{},           text(d.certificate),
         text(d.remarks)};
  if (data.form == Form::F27EQ) {
    row.insert(row.begin() + 5, money(d.purchase_value));
    row.erase(row.begin() + 21);
  }
}

bool has_perquisites(int index) { return index % 4 == 0; }

void salary_row(const SampleReturn& data, int index, Row& row) {
  const SampleDeductee& d = data.deductees[static_cast<std::size_t>(index)];
  const AnnualSalary a = annual_salary(d, index);
  row = {number(index + 1),
         text(d.pan),
         text(d.name),
         number(kYearStart),
         number(kYearEnd),
         number(a.salary),
         number(a.perquisites),
         number(0),
         number(0),
         number(a.gross),
         number(a.exempt),
         number(a.balance),
         text("P"),
         number(a.other_income),
         number(a.gross_total),
         number(a.deduction_80c),
         number(a.deduction_80d),
         number(0),
         number(a.deductions),
         number(a.total_income),
         number(a.tax),
         number(0),
         number(0),
         number(0),
         number(a.cess),
         number(a.payable),
         number(0),
         number(a.payable),
         number(a.payable),
         number(0),
         number(0),
         number(a.payable),
         text("P"),
         number(0)};
}

void perquisite_row(const SampleReturn& data, int index, Row& row) {
  const SampleDeductee& d = data.deductees[static_cast<std::size_t>(index)];
  const double accommodation = std::round(rupees(d.amount) * 12 * 0.10 / 100) * 100;
  const double taxable = std::max(0.0, accommodation - 12000);
  row = {text(d.name),
         number(index + 1),
         number(accommodation),
         number(12000),
         number(14400),
         number(0),
         number(6000),
         number(0),
         number(taxable),
         number(14400),
         number(0),
         number(0),
         number(0),
         number(6000),
         number(0),
         number(taxable + 14400 + 6000)};
}

}  // namespace fenwarx::bench
