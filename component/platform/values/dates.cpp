#include "platform/values/dates.hpp"

#include <array>
#include <charconv>
#include <cmath>

#include "platform/values/ascii.hpp"

namespace fenwarx {

namespace {

// Serial of 1/1/1970: the civil-day arithmetic below counts from there.
constexpr long long kUnixEpochSerial = 25569;

constexpr std::array<std::string_view, 12> kMonthAbbreviations = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

long long days_from_civil(long long y, long long m, long long d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CivilDate civil_from_days(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const long long d = doy - (153 * mp + 2) / 5 + 1;
  const long long m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(yoe + era * 400 + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

bool is_leap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int days_in_month(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && is_leap(year) ? 29 : kDays[month - 1];
}

// The day a serial falls on. As in automation dates, the whole part is the day
// and the fraction is the time even for negative serials, so the day truncates.
long long day_of(double serial) {
  if (std::isnan(serial)) return 0;
  constexpr double kLimit = 1e9;  // far outside any real date; keeps the cast defined
  if (serial > kLimit) return static_cast<long long>(kLimit);
  if (serial < -kLimit) return static_cast<long long>(-kLimit);
  return static_cast<long long>(serial);
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

bool equals_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
  }
  return true;
}

int month_from_name(std::string_view name) {
  if (equals_ignoring_case(name, "Sept")) return 9;
  for (int i = 0; i < 12; ++i) {
    if (equals_ignoring_case(name, kMonthAbbreviations[i]) ||
        equals_ignoring_case(name, kMonthNames[i])) {
      return i + 1;
    }
  }
  return 0;
}

int digits_value(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

bool all_digits(std::string_view field) {
  if (field.empty()) return false;
  for (char c : field) {
    if (!is_ascii_digit(c)) return false;
  }
  return true;
}

// A month field: one or two digits, or an English name.
int month_field(std::string_view field) {
  if (all_digits(field)) return field.size() <= 2 ? digits_value(field) : 0;
  return month_from_name(field);
}

// "hh:mm" or "hh:mm:ss" as a fraction of a day.
std::optional<double> parse_time(std::string_view text) {
  int parts[3] = {0, 0, 0};
  int count = 0;
  std::size_t i = 0;
  while (count < 3) {
    const std::size_t begin = i;
    while (i < text.size() && is_ascii_digit(text[i])) ++i;
    if (i == begin || i - begin > 2) return std::nullopt;
    parts[count++] = digits_value(text.substr(begin, i - begin));
    if (i == text.size()) break;
    if (text[i] != ':') return std::nullopt;
    ++i;
  }
  if (count < 2 || i != text.size()) return std::nullopt;
  if (parts[0] > 23 || parts[1] > 59 || parts[2] > 59) return std::nullopt;
  return (parts[0] * 3600.0 + parts[1] * 60.0 + parts[2]) / 86400.0;
}

// Three fields split by one kind of separator ("/", "-", "." or blanks).
bool split_fields(std::string_view text, std::string_view (&fields)[3]) {
  std::size_t i = 0;
  char separators[2] = {};
  for (int n = 0; n < 3; ++n) {
    const std::size_t begin = i;
    if (i < text.size() && is_ascii_digit(text[i])) {
      while (i < text.size() && is_ascii_digit(text[i])) ++i;
    } else {
      while (i < text.size() && is_ascii_letter(text[i])) ++i;
    }
    if (i == begin) return false;
    fields[n] = text.substr(begin, i - begin);
    if (n == 2) break;
    const std::size_t blanks = i;
    while (i < text.size() && is_blank(text[i])) ++i;
    if (i < text.size() && (text[i] == '/' || text[i] == '-' || text[i] == '.')) {
      separators[n] = text[i++];
      while (i < text.size() && is_blank(text[i])) ++i;
    } else if (i > blanks) {
      separators[n] = ' ';
    } else {
      return false;
    }
  }
  return i == text.size() && separators[0] == separators[1];
}

void append_two(std::string& out, int value) {
  out += static_cast<char>('0' + value / 10 % 10);
  out += static_cast<char>('0' + value % 10);
}

void append_year(std::string& out, int year) {
  if (year < 0) {
    out += '-';
    year = -year;
  }
  char buffer[12];
  char* end = std::to_chars(buffer, buffer + sizeof buffer, year).ptr;
  for (auto width = end - buffer; width < 4; ++width) out += '0';
  out.append(buffer, end);
}

}  // namespace

double serial_from_civil(const CivilDate& date) {
  return static_cast<double>(days_from_civil(date.year, date.month, date.day) + kUnixEpochSerial);
}

CivilDate civil_from_serial(double serial) {
  return civil_from_days(day_of(serial) - kUnixEpochSerial);
}

bool is_valid_civil(const CivilDate& date) {
  return date.year >= 100 && date.year <= 9999 && date.month >= 1 && date.month <= 12 &&
         date.day >= 1 && date.day <= days_in_month(date.year, date.month);
}

std::optional<double> parse_date(std::string_view text) {
  text = trim(text);
  double time = 0;
  if (const std::size_t colon = text.find(':'); colon != std::string_view::npos) {
    std::size_t blank = colon;
    while (blank > 0 && !is_blank(text[blank - 1])) --blank;
    if (blank == 0) return std::nullopt;
    const auto fraction = parse_time(text.substr(blank));
    if (!fraction) return std::nullopt;
    time = *fraction;
    text = trim(text.substr(0, blank));
  }
  std::string_view fields[3];
  if (!split_fields(text, fields)) return std::nullopt;

  CivilDate date;
  if (all_digits(fields[0]) && fields[0].size() == 4) {
    if (!all_digits(fields[2]) || fields[2].size() > 2) return std::nullopt;
    date = {digits_value(fields[0]), month_field(fields[1]), digits_value(fields[2])};
  } else {
    if (!all_digits(fields[0]) || fields[0].size() > 2) return std::nullopt;
    if (!all_digits(fields[2]) || (fields[2].size() != 2 && fields[2].size() != 4)) {
      return std::nullopt;
    }
    int year = digits_value(fields[2]);
    if (fields[2].size() == 2) year += year < 30 ? 2000 : 1900;
    date = {year, month_field(fields[1]), digits_value(fields[0])};
  }
  if (!is_valid_civil(date)) return std::nullopt;
  const double day = serial_from_civil(date);
  return day < 0 ? day - time : day + time;
}

bool is_date(std::string_view text) { return parse_date(text).has_value(); }

long long day_difference(double from, double to) { return day_of(to) - day_of(from); }

std::string date_text(double serial) {
  const CivilDate date = civil_from_serial(serial);
  std::string out;
  out.reserve(10);
  append_two(out, date.day);
  out += '/';
  append_two(out, date.month);
  out += '/';
  append_year(out, date.year);
  return out;
}

std::string long_date_text(double serial) {
  const CivilDate date = civil_from_serial(serial);
  std::string out;
  out.reserve(11);
  append_two(out, date.day);
  out += '/';
  out += kMonthAbbreviations[date.month - 1];
  out += '/';
  append_year(out, date.year);
  return out;
}

std::string ddmmyyyy(double serial) {
  const CivilDate date = civil_from_serial(serial);
  std::string out;
  out.reserve(8);
  append_two(out, date.day);
  append_two(out, date.month);
  append_year(out, date.year);
  return out;
}

}  // namespace fenwarx
