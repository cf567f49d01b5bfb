#include "platform/values/number_format.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/values/ascii.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/decimal_digits.hpp"
#include "platform/values/numbers.hpp"

namespace fenwarx {

namespace {

using detail::DecimalDigits;

constexpr std::string_view kOutOfRange = "########";
constexpr double kLastSerial = 2958466.0;  // 01/01/10000, the first day past the range

constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 7> kDayNames = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// Where the quoted text, escaped character or bracket starting at `at` ends;
// `at` itself when no such piece starts there.
std::size_t skip_piece(std::string_view code, std::size_t at) {
  switch (code[at]) {
    case '"': {
      const std::size_t close = code.find('"', at + 1);
      return close == std::string_view::npos ? code.size() : close + 1;
    }
    case '\\':
    case '_':
    case '*':
      return std::min(code.size(), at + 2);
    case '[': {
      const std::size_t close = code.find(']', at + 1);
      return close == std::string_view::npos ? code.size() : close + 1;
    }
    default:
      return at;
  }
}

// An elapsed-time bracket: [h], [mm], [ss] and so on. Returns its letter or 0.
char elapsed_letter(std::string_view bracket) {
  if (bracket.size() < 3 || bracket.front() != '[' || bracket.back() != ']') return 0;
  const char letter = ascii_lower(bracket[1]);
  if (letter != 'h' && letter != 'm' && letter != 's') return 0;
  for (std::size_t i = 1; i + 1 < bracket.size(); ++i) {
    if (ascii_lower(bracket[i]) != letter) return 0;
  }
  return letter;
}

struct Sections {
  std::array<std::string_view, 4> parts;
  int count = 0;
};

Sections split_sections(std::string_view code) {
  Sections sections;
  std::size_t begin = 0, i = 0;
  while (i < code.size()) {
    if (const std::size_t next = skip_piece(code, i); next != i) {
      i = next;
    } else if (code[i] == ';') {
      if (sections.count == 3) break;
      sections.parts[sections.count++] = code.substr(begin, i - begin);
      begin = ++i;
    } else {
      ++i;
    }
  }
  if (sections.count < 4) sections.parts[sections.count++] = code.substr(begin, i - begin);
  return sections;
}

// A section shows a date or time: a d, m, y, h or s code or an elapsed bracket.
bool is_date_section(std::string_view section, std::string_view codes) {
  for (std::size_t i = 0; i < section.size();) {
    if (const std::size_t next = skip_piece(section, i); next != i) {
      if (section[i] == '[' && elapsed_letter(section.substr(i, next - i)) != 0) return true;
      i = next;
    } else if (starts_ignoring_case(section.substr(i), "General")) {
      i += 7;
    } else {
      if (codes.find(ascii_lower(section[i])) != std::string_view::npos) return true;
      ++i;
    }
  }
  return false;
}

void append_number(std::string& out, long long value, int width) {
  char buffer[24];
  int length = 0;
  do {
    buffer[length++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  for (int i = length; i < width; ++i) out += '0';
  while (length > 0) out += buffer[--length];
}

bool contains_at(std::string_view section) {
  for (std::size_t i = 0; i < section.size();) {
    if (const std::size_t next = skip_piece(section, i); next != i) {
      i = next;
    } else if (section[i] == '@') {
      return true;
    } else {
      ++i;
    }
  }
  return false;
}

// Appends the literal a piece stands for: quoted text, an escaped character, the
// blank "_x" leaves. Brackets and "*x" fills show nothing.
void append_piece(std::string& out, std::string_view piece) {
  switch (piece[0]) {
    case '"':  // an unclosed quote runs to the end of the section
      piece.remove_prefix(1);
      if (!piece.empty() && piece.back() == '"') piece.remove_suffix(1);
      out.append(piece);
      break;
    case '\\':
      out.append(piece.substr(1));
      break;
    case '_':
      out += ' ';
      break;
    default:
      break;
  }
}

// ---- Dates and times ----

enum class DatePart : std::uint8_t {
  Literal, Day, Month, Year, Hour, Minute, Second, Fraction, AmPm, ElapsedHours,
  ElapsedMinutes, ElapsedSeconds
};

struct DateToken {
  DatePart part;
  int length = 0;                 // letters in the code, or fraction digits
  std::string_view text;          // literal text, or the AM/PM code as written
};

std::vector<DateToken> tokenize_date(std::string_view section) {
  std::vector<DateToken> tokens;
  auto literal = [&](std::string_view text) { tokens.push_back({DatePart::Literal, 0, text}); };
  for (std::size_t i = 0; i < section.size();) {
    const char c = ascii_lower(section[i]);
    if (const std::size_t next = skip_piece(section, i); next != i) {
      const std::string_view piece = section.substr(i, next - i);
      const char letter = piece[0] == '[' ? elapsed_letter(piece) : 0;
      const int length = static_cast<int>(piece.size()) - 2;
      if (letter == 'h') tokens.push_back({DatePart::ElapsedHours, length, {}});
      else if (letter == 'm') tokens.push_back({DatePart::ElapsedMinutes, length, {}});
      else if (letter == 's') tokens.push_back({DatePart::ElapsedSeconds, length, {}});
      else literal(piece);
      i = next;
    } else if (c == 'd' || c == 'm' || c == 'y' || c == 'h' || c == 's') {
      std::size_t end = i;
      while (end < section.size() && ascii_lower(section[end]) == c) ++end;
      const int length = static_cast<int>(end - i);
      DatePart part = c == 'd'   ? DatePart::Day
                      : c == 'm' ? DatePart::Month
                      : c == 'y' ? DatePart::Year
                      : c == 'h' ? DatePart::Hour
                                 : DatePart::Second;
      tokens.push_back({part, length, {}});
      i = end;
    } else if (starts_ignoring_case(section.substr(i), "AM/PM")) {
      tokens.push_back({DatePart::AmPm, 5, section.substr(i, 5)});
      i += 5;
    } else if (starts_ignoring_case(section.substr(i), "A/P")) {
      tokens.push_back({DatePart::AmPm, 3, section.substr(i, 3)});
      i += 3;
    } else if (c == '.' && !tokens.empty() && (tokens.back().part == DatePart::Second ||
                                               tokens.back().part == DatePart::ElapsedSeconds) &&
               i + 1 < section.size() && section[i + 1] == '0') {
      std::size_t end = i + 1;
      while (end < section.size() && section[end] == '0') ++end;
      tokens.push_back({DatePart::Fraction, static_cast<int>(end - i - 1), {}});
      i = end;
    } else if (c == '@' || c == ';') {
      ++i;
    } else {
      literal(section.substr(i, 1));
      ++i;
    }
  }
  // An m right after an hour or right before a second is minutes.
  auto is_code = [](const DateToken& t) { return t.part != DatePart::Literal; };
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].part != DatePart::Month) continue;
    std::size_t p = i;
    while (p > 0 && !is_code(tokens[p - 1])) --p;
    const bool after_hour = p > 0 && (tokens[p - 1].part == DatePart::Hour ||
                                      tokens[p - 1].part == DatePart::ElapsedHours);
    std::size_t n = i + 1;
    while (n < tokens.size() && !is_code(tokens[n])) ++n;
    const bool before_second = n < tokens.size() && (tokens[n].part == DatePart::Second ||
                                                     tokens[n].part == DatePart::ElapsedSeconds);
    if (after_hour || before_second) tokens[i].part = DatePart::Minute;
  }
  return tokens;
}

std::string format_date(double value, std::string_view section) {
  if (!(value >= 0 && value < kLastSerial)) return std::string(kOutOfRange);
  const std::vector<DateToken> tokens = tokenize_date(section);
  int fraction_digits = 0;
  bool twelve_hour = false;
  for (const auto& t : tokens) {
    if (t.part == DatePart::Fraction) fraction_digits = std::max(fraction_digits, std::min(t.length, 3));
    if (t.part == DatePart::AmPm) twelve_hour = true;
  }
  // The time rounds to the whole second, or to the fractions of a second shown.
  long long ticks_per_second = 1;
  for (int i = 0; i < fraction_digits; ++i) ticks_per_second *= 10;
  const long long ticks_per_day = 86400 * ticks_per_second;
  const auto ticks = static_cast<long long>(std::llround(value * static_cast<double>(ticks_per_day)));
  const long long days = ticks / ticks_per_day;
  const long long tick_of_day = ticks % ticks_per_day;
  const long long second_of_day = tick_of_day / ticks_per_second;
  const long long hour = second_of_day / 3600, minute = second_of_day / 60 % 60,
                  second = second_of_day % 60;
  const CivilDate date = civil_from_serial(static_cast<double>(days));

  std::string out;
  for (const auto& t : tokens) {
    switch (t.part) {
      case DatePart::Literal:
        if (t.text[0] == '"' || t.text[0] == '\\' || t.text[0] == '_' || t.text[0] == '*' ||
            t.text[0] == '[') {
          append_piece(out, t.text);
        } else {
          out.append(t.text);
        }
        break;
      case DatePart::Day:
        if (t.length <= 2) append_number(out, date.day, t.length);
        else if (t.length == 3) out.append(kDayNames[(days + 6) % 7].substr(0, 3));
        else out.append(kDayNames[(days + 6) % 7]);
        break;
      case DatePart::Month:
        if (t.length <= 2) append_number(out, date.month, t.length);
        else if (t.length == 3) out.append(kMonthNames[date.month - 1].substr(0, 3));
        else if (t.length == 4) out.append(kMonthNames[date.month - 1]);
        else out += kMonthNames[date.month - 1][0];
        break;
      case DatePart::Year:
        if (t.length <= 2) append_number(out, date.year % 100, 2);
        else append_number(out, date.year, 4);
        break;
      case DatePart::Hour: {
        long long shown = hour;
        if (twelve_hour) shown = hour % 12 == 0 ? 12 : hour % 12;
        append_number(out, shown, std::min(t.length, 2));
        break;
      }
      case DatePart::Minute:
        append_number(out, minute, std::min(t.length, 2));
        break;
      case DatePart::Second:
        append_number(out, second, std::min(t.length, 2));
        break;
      case DatePart::Fraction: {
        out += '.';
        std::string digits;
        append_number(digits, tick_of_day % ticks_per_second, fraction_digits);
        out.append(digits, 0, std::min<std::size_t>(digits.size(), t.length));
        for (int i = fraction_digits; i < t.length; ++i) out += '0';
        break;
      }
      case DatePart::AmPm: {
        const bool pm = hour >= 12;
        const bool lower_case = t.text[0] == 'a' || t.text[0] == 'p';
        if (t.length == 5) out += lower_case ? (pm ? "pm" : "am") : (pm ? "PM" : "AM");
        else out += lower_case ? (pm ? 'p' : 'a') : (pm ? 'P' : 'A');
        break;
      }
      case DatePart::ElapsedHours:
        append_number(out, days * 24 + hour, t.length);
        break;
      case DatePart::ElapsedMinutes:
        append_number(out, (days * 86400 + second_of_day) / 60, t.length);
        break;
      case DatePart::ElapsedSeconds:
        append_number(out, days * 86400 + second_of_day, t.length);
        break;
    }
  }
  return out;
}

// ---- Numbers ----

bool is_placeholder(char c) { return c == '0' || c == '#' || c == '?'; }

// What a number section asks for, gathered before any digit is placed.
struct NumberLayout {
  std::string integer_places;   // the 0 # ? before the point, in order
  std::string fraction_places;  // the 0 # ? after it
  std::string exponent_places;
  bool grouping = false;
  bool has_general = false;
  bool has_point = false;
  int percent = 0;
  int scale_commas = 0;         // each "," after the last digit divides by 1000
};

// Marks for the second pass: how each character of the section is used.
enum class Role : std::uint8_t { Literal, IntegerPlace, FractionPlace, Point, ExponentMark,
                                 ExponentPlace, Skip, General, At, Piece };

NumberLayout read_layout(std::string_view section, std::vector<Role>& roles) {
  NumberLayout layout;
  roles.assign(section.size(), Role::Literal);
  bool in_exponent = false;
  for (std::size_t i = 0; i < section.size();) {
    const char c = section[i];
    if (const std::size_t next = skip_piece(section, i); next != i) {
      roles[i] = Role::Piece;
      for (std::size_t j = i + 1; j < next; ++j) roles[j] = Role::Skip;
      i = next;
      continue;
    }
    if (starts_ignoring_case(section.substr(i), "General")) {
      layout.has_general = true;
      roles[i] = Role::General;
      for (std::size_t j = i + 1; j < i + 7; ++j) roles[j] = Role::Skip;
      i += 7;
      continue;
    }
    if (is_placeholder(c)) {
      if (in_exponent) {
        layout.exponent_places += c;
        roles[i] = Role::ExponentPlace;
      } else if (layout.has_point) {
        layout.fraction_places += c;
        roles[i] = Role::FractionPlace;
      } else {
        layout.integer_places += c;
        roles[i] = Role::IntegerPlace;
      }
    } else if (c == '.' && !layout.has_point && !in_exponent) {
      layout.has_point = true;
      roles[i] = Role::Point;
    } else if (c == ',' && !in_exponent && i > 0 &&
               (is_placeholder(section[i - 1]) || section[i - 1] == ',')) {
      // Between digits it groups thousands; after the last digit it scales.
      const bool digit_follows = i + 1 < section.size() && is_placeholder(section[i + 1]);
      if (digit_follows && !layout.has_point) layout.grouping = true;
      else if (!digit_follows) ++layout.scale_commas;
      roles[i] = Role::Skip;
    } else if (c == '%') {
      ++layout.percent;
    } else if ((c == 'E' || c == 'e') && !in_exponent && i + 1 < section.size() &&
               (section[i + 1] == '+' || section[i + 1] == '-')) {
      in_exponent = true;
      roles[i] = Role::ExponentMark;
      roles[i + 1] = Role::Skip;
      ++i;
    } else if (c == '@') {
      roles[i] = Role::At;
    }
    ++i;
  }
  return layout;
}

std::string group_thousands(std::string_view digits) {
  std::string out;
  out.reserve(digits.size() + digits.size() / 3);
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

// The shown text of a number section for |value|; `negative` asks for a leading
// minus, which a value that rounds to zero does not get.
std::string format_number_section(double magnitude, std::string_view section, bool negative) {
  std::vector<Role> roles;
  const NumberLayout layout = read_layout(section, roles);
  const bool no_digits = layout.integer_places.empty() && layout.fraction_places.empty();
  const bool general = layout.has_general || (no_digits && contains_at(section));

  DecimalDigits number = detail::to_decimal(magnitude);
  if (number.count > 0) number.exponent += 2 * layout.percent - 3 * layout.scale_commas;
  const int decimals = static_cast<int>(layout.fraction_places.size());
  const int integer_count = static_cast<int>(layout.integer_places.size());
  const bool scientific = std::find(roles.begin(), roles.end(), Role::ExponentMark) != roles.end();

  long long exponent = 0;
  if (scientific && number.count > 0) {
    const int step = std::max(integer_count, 1);
    const int first = number.exponent;
    exponent = (first >= 0 ? first / step : -((-first + step - 1) / step)) * step;
    if (integer_count == 0) exponent = first + 1;
    number.exponent -= static_cast<int>(exponent);
    detail::round_to_decimals(number, decimals, detail::Halves::AwayFromZero);
    if (number.count > 0 && number.exponent >= std::max(integer_count, 1)) {
      exponent += step;
      number.exponent -= step;
    }
  } else {
    detail::round_to_decimals(number, decimals, detail::Halves::AwayFromZero);
  }

  std::string fixed;
  detail::append_fixed(fixed, number, decimals);
  const std::size_t point = fixed.find('.');
  std::string_view integer_digits = std::string_view(fixed).substr(0, point);
  if (integer_digits == "0") integer_digits = {};
  std::string_view fraction_digits =
      point == std::string::npos ? std::string_view{} : std::string_view(fixed).substr(point + 1);

  const bool shows_nonzero = general ? magnitude != 0 : number.count > 0;
  std::string out;
  if (negative && shows_nonzero) out += '-';

  // Integer digits fill the places from the right; the first place takes any surplus.
  std::string integer_text;
  std::vector<std::string> integer_fill(layout.integer_places.size());
  if (layout.grouping) {
    std::string padded(integer_digits);
    std::size_t zeros = 0;
    for (char p : layout.integer_places) zeros += p != '#';
    if (padded.size() < zeros) padded.insert(0, zeros - padded.size(), '0');
    integer_text = group_thousands(padded);
  } else if (!integer_fill.empty()) {
    const std::size_t places = integer_fill.size();
    for (std::size_t j = 0; j < places; ++j) {
      const std::size_t from_right = places - 1 - j;
      if (from_right < integer_digits.size()) {
        integer_fill[j] = integer_digits[integer_digits.size() - 1 - from_right];
      } else if (layout.integer_places[j] == '0') {
        integer_fill[j] = "0";
      } else if (layout.integer_places[j] == '?') {
        integer_fill[j] = " ";
      }
    }
    if (integer_digits.size() > places) {
      integer_fill[0].insert(0, integer_digits.substr(0, integer_digits.size() - places));
    }
  }

  // Trailing zeros under # vanish and under ? become blanks.
  std::string fraction(fraction_digits);
  for (std::size_t j = fraction.size(); j-- > 0;) {
    if (fraction[j] != '0' || layout.fraction_places[j] == '0') break;
    fraction[j] = layout.fraction_places[j] == '?' ? ' ' : '\0';
  }

  std::size_t integer_index = 0, fraction_index = 0, exponent_index = 0;
  std::string exponent_text;
  if (scientific) {
    std::size_t width = 0;
    for (char p : layout.exponent_places) width += p == '0';
    append_number(exponent_text, exponent < 0 ? -exponent : exponent, static_cast<int>(width));
  }
  for (std::size_t i = 0; i < section.size(); ++i) {
    switch (roles[i]) {
      case Role::Literal:
        out += section[i];
        break;
      case Role::Piece:
        append_piece(out, section.substr(i, skip_piece(section, i) - i));
        break;
      case Role::General:
        out += number_text(magnitude);
        break;
      case Role::IntegerPlace:
        if (layout.grouping) {
          if (integer_index == 0) out += integer_text;
        } else {
          out += integer_fill[integer_index];
        }
        ++integer_index;
        break;
      case Role::FractionPlace:
        if (fraction[fraction_index] != '\0') out += fraction[fraction_index];
        ++fraction_index;
        break;
      case Role::Point:
        if (layout.integer_places.empty()) out.append(integer_digits);
        out += '.';
        break;
      case Role::At:
        // A section for texts only ("@") shows numbers as General.
        if (general && !layout.has_general) out += number_text(magnitude);
        break;
      case Role::ExponentMark:
        out += section[i];
        if (exponent < 0) out += '-';
        else if (section[i + 1] == '+') out += '+';
        break;
      case Role::ExponentPlace:
        if (exponent_index++ == 0) out += exponent_text;
        break;
      case Role::Skip:
        break;
    }
  }
  return out;
}

}  // namespace

bool is_date_format(std::string_view code) {
  return is_date_section(split_sections(code).parts[0], "dmy");
}

std::string format_number(double value, std::string_view code) {
  if (!std::isfinite(value)) return number_text(value);
  const Sections sections = split_sections(code);
  std::string_view section = sections.parts[0];
  bool negative = value < 0;
  if (sections.count >= 2 && value < 0) {
    section = sections.parts[1];
    negative = false;
  } else if (sections.count >= 3 && value == 0) {
    section = sections.parts[2];
  }
  if (code.empty()) return number_text(value);
  if (is_date_section(section, "dmyhs")) return format_date(value, section);
  return format_number_section(std::fabs(value), section, negative);
}

std::string format_text(std::string_view text, std::string_view code) {
  const Sections sections = split_sections(code);
  std::string_view section;
  if (sections.count == 4 && contains_at(sections.parts[3])) {
    section = sections.parts[3];
  } else if (sections.count == 1 && contains_at(sections.parts[0])) {
    section = sections.parts[0];
  } else {
    return std::string(text);
  }
  std::string out;
  for (std::size_t i = 0; i < section.size();) {
    if (const std::size_t next = skip_piece(section, i); next != i) {
      append_piece(out, section.substr(i, next - i));
      i = next;
    } else {
      if (section[i] == '@') out.append(text);
      else out += section[i];
      ++i;
    }
  }
  return out;
}

}  // namespace fenwarx
