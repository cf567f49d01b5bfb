#include "platform/spreadsheet/date_serials.hpp"

namespace fenwarx {

namespace {
constexpr double kOffset1904 = 1462;  // 1/1/1904 as a date serial
constexpr double kFirst1900 = 2;      // 1/1/1900 as a date serial
constexpr double kMarch1900 = 61;     // 1/3/1900: from here both counts agree
}  // namespace

double date_from_stored(double stored, bool date1904) {
  if (date1904) return stored + kOffset1904;
  return stored < 60 ? stored + 1 : stored;
}

std::optional<double> stored_from_date(double date, bool date1904) {
  if (date1904) {
    if (date < kOffset1904) return std::nullopt;
    return date - kOffset1904;
  }
  if (date < kFirst1900) return std::nullopt;
  return date < kMarch1900 ? date - 1 : date;
}

}  // namespace fenwarx
