#pragma once
// The stand-in certificate host's tables as its utility reads them: the
// deductor from the company row, and the certificate rows grouped by their
// certificate number.
#include <string>
#include <vector>

#include "platform/database/database.hpp"

namespace fenwarx::host {

struct HostCompany {
  std::string name, tan, pan;  // values 3, 18 and 16 of the company row
};

struct HostRow {
  std::string pan, name, section, amount_paid, tax, payment_date, deduction_date, deposit_date,
      challan;
};

struct HostCertificate {
  long long number = 0;
  std::vector<HostRow> rows;  // in the order they were written
};

struct HostTables {
  HostCompany company;
  std::vector<HostCertificate> certificates;  // by number, ascending
};

// RuntimeError when the company table has no row or too few values, and when a
// row's certificate number is not a whole number (naming the row), besides the
// database's own failures.
HostTables read_host_tables(Database& database);

}  // namespace fenwarx::host
