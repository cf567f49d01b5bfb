#include "host/host_tables.hpp"

#include <charconv>
#include <map>

namespace fenwarx::host {
namespace {

// The company row's values, counted from 1, that name the deductor.
constexpr int kName = 3, kPan = 16, kTan = 18;

HostCompany read_company(Database& database) {
  const auto company = database.prepare("select * from mstcompany");
  if (!company->step())
    throw RuntimeError(err::kApplication,
                       database.path().string() + ": the company table mstcompany has no row");
  if (company->column_count() < kTan)
    throw RuntimeError(err::kApplication, database.path().string() + ": mstcompany has " +
                                              std::to_string(company->column_count()) +
                                              " columns; the deductor's TAN is value " +
                                              std::to_string(kTan));
  return {.name = company->column_text(kName - 1),
          .tan = company->column_text(kTan - 1),
          .pan = company->column_text(kPan - 1)};
}

}  // namespace

HostTables read_host_tables(Database& database) {
  HostTables tables{.company = read_company(database), .certificates = {}};
  const auto rows = database.prepare(
      "select PANNo, PName, TaxSection, AmountPaid, AmtOfTax, DteAmountPaid, DteOfDeduction, "
      "DteOfDeposit, ChallanNo, TDSIssueNo, rowid from \"16a\" order by rowid");
  std::map<long long, std::vector<HostRow>> by_number;
  while (rows->step()) {
    const std::string number = rows->column_text(9);
    long long value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || error != std::errc() || end != number.data() + number.size())
      throw RuntimeError(err::kApplication, database.path().string() + ": row " +
                                                rows->column_text(10) + " of table 16a has '" +
                                                number + "' as its certificate number");
    by_number[value].push_back({.pan = rows->column_text(0),
                                .name = rows->column_text(1),
                                .section = rows->column_text(2),
                                .amount_paid = rows->column_text(3),
                                .tax = rows->column_text(4),
                                .payment_date = rows->column_text(5),
                                .deduction_date = rows->column_text(6),
                                .deposit_date = rows->column_text(7),
                                .challan = rows->column_text(8)});
  }
  for (auto& [number, lines] : by_number)
    tables.certificates.push_back({.number = number, .rows = std::move(lines)});
  return tables;
}

}  // namespace fenwarx::host
