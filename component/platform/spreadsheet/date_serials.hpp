#pragma once
// Workbook serials versus the date serials of dates.hpp (days since 30/12/1899).
// A 1900-system workbook counts 1/1/1900 as 1 and holds a 29/02/1900 that never
// was (serial 60, read as 28/02/1900); a 1904-system one counts from 1/1/1904 as 0.
#include <optional>

namespace fenwarx {

double date_from_stored(double stored, bool date1904);
// The serial to store for a date; none for a day before the system's first.
std::optional<double> stored_from_date(double date, bool date1904);

}  // namespace fenwarx
