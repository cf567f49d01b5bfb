#include "platform/values/number_format.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/values/ascii.hpp"
#include "platform/values/dates.hpp"
#include "platform/values/numbers.hpp"

namespace fenwarx {

namespace {

constexpr std::string_view kOutOfRange = "########";
constexpr double kLastSerial = 2958466.0;  // 01/01/10000, the first day past the range

// clang-format off
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
// clang-format on

// An elapsed-time bracket: [h], [mm], [ss] and so on.
bool is_elapsed(std::string_view bracket) {
  if (bracket.size() < 3 || bracket.front() != '[' || bracket.back() != ']') return false;
  const char letter = ascii_lower(bracket[1]);
  if (letter != 'h' && letter != 'm' && letter != 's') return false;
  for (std::size_t i = 1; i + 1 < bracket.size(); ++i)
    if (ascii_lower(bracket[i]) != letter) return false;
  return true;
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

// A section shows a date or time: a code letter or an elapsed bracket outside literals.
bool is_date_section(std::string_view section, std::string_view codes) {
  for (std::size_t i = 0; i < section.size();) {
    if (const std::size_t next = skip_piece(section, i); next != i) {
      if (section[i] == '[' && is_elapsed(section.substr(i, next - i))) return true;
      i = next;
    } else {
      if (codes.find(ascii_lower(section[i])) != std::string_view::npos) return true;
      ++i;
    }
  }
  return false;
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
    case '\\': out.append(piece.substr(1)); break;
    case '_': out += ' '; break;
    default: break;
  }
}

void append_number(std::string& out, long long value, int width) {
  const std::string digits = std::to_string(value);
  for (int i = static_cast<int>(digits.size()); i < width; ++i) out += '0';
  out += digits;
}

// ---- Dates and times ----

enum class DatePart : std::uint8_t { Literal, Day, Month, Year, Hour, Minute, Second };

struct DateToken {
  DatePart part;
  int length = 0;              // letters in the code
  std::string_view text = {};  // a literal
};

// The codes a date section is drawn with: d to dddd, m to mmmm, yy, yyyy, h, hh,
// m, mm and s, ss; none when the section asks for more (AM/PM, elapsed time,
// fractions of a second, mmmmm), which then shows as General.
std::optional<std::vector<DateToken>> date_tokens(std::string_view section) {
  std::vector<DateToken> tokens;
  for (std::size_t i = 0; i < section.size();) {
    const char c = ascii_lower(section[i]);
    if (const std::size_t next = skip_piece(section, i); next != i) {
      const std::string_view piece = section.substr(i, next - i);
      if (is_elapsed(piece)) return std::nullopt;
      tokens.push_back({.part = DatePart::Literal, .text = piece});
      i = next;
    } else if (c == 'd' || c == 'm' || c == 'y' || c == 'h' || c == 's') {
      std::size_t end = i;
      while (end < section.size() && ascii_lower(section[end]) == c) ++end;
      const int length = static_cast<int>(end - i);
      if (length > (c == 'h' || c == 's' ? 2 : 4)) return std::nullopt;
      const DatePart part = c == 'd'   ? DatePart::Day
                            : c == 'm' ? DatePart::Month
                            : c == 'y' ? DatePart::Year
                            : c == 'h' ? DatePart::Hour
                                       : DatePart::Second;
      tokens.push_back({.part = part, .length = length});
      i = end;
    } else if (starts_ignoring_case(section.substr(i), "AM/PM") ||
               starts_ignoring_case(section.substr(i), "A/P") ||
               (c == '.' && !tokens.empty() && tokens.back().part == DatePart::Second)) {
      return std::nullopt;
    } else {
      if (c != '@') tokens.push_back({.part = DatePart::Literal, .text = section.substr(i, 1)});
      ++i;
    }
  }
  // An m right after an hour or right before a second is minutes.
  auto is_code = [](const DateToken& t) { return t.part != DatePart::Literal; };
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].part != DatePart::Month) continue;
    std::size_t p = i;
    while (p > 0 && !is_code(tokens[p - 1])) --p;
    std::size_t n = i + 1;
    while (n < tokens.size() && !is_code(tokens[n])) ++n;
    if ((p > 0 && tokens[p - 1].part == DatePart::Hour) ||
        (n < tokens.size() && tokens[n].part == DatePart::Second)) {
      if (tokens[i].length > 2) return std::nullopt;
      tokens[i].part = DatePart::Minute;
    }
  }
  return tokens;
}

std::string format_date(double value, const std::vector<DateToken>& tokens) {
  if (!(value >= 0 && value < kLastSerial)) return std::string(kOutOfRange);
  // The time shows rounded to the whole second.
  const auto seconds = static_cast<long long>(std::llround(value * 86400));
  const long long days = seconds / 86400, second_of_day = seconds % 86400;
  const CivilDate date = civil_from_serial(static_cast<double>(days));
  const std::string_view weekday = kDayNames[static_cast<std::size_t>((days + 6) % 7)];
  const std::string_view month = kMonthNames[static_cast<std::size_t>(date.month - 1)];

  std::string out;
  for (const DateToken& t : tokens) {
    switch (t.part) {
      case DatePart::Literal:
        if (skip_piece(t.text, 0) != 0)
          append_piece(out, t.text);
        else
          out.append(t.text);
        break;
      case DatePart::Day:
        if (t.length <= 2)
          append_number(out, date.day, t.length);
        else
          out.append(t.length == 3 ? weekday.substr(0, 3) : weekday);
        break;
      case DatePart::Month:
        if (t.length <= 2)
          append_number(out, date.month, t.length);
        else
          out.append(t.length == 3 ? month.substr(0, 3) : month);
        break;
      case DatePart::Year:
        if (t.length <= 2)
          append_number(out, date.year % 100, 2);
        else
          append_number(out, date.year, 4);
        break;
      case DatePart::Hour: append_number(out, second_of_day / 3600, t.length); break;
      case DatePart::Minute: append_number(out, second_of_day / 60 % 60, t.length); break;
      case DatePart::Second: append_number(out, second_of_day % 60, t.length); break;
    }
  }
  return out;
}

// ---- Numbers ----

// A section of fixed decimals: "0", "0.00", "0.0000", with "#,##" in front to
// group the thousands.
struct FixedLayout {
  int decimals = 0;
  bool grouping = false;
};

std::optional<FixedLayout> fixed_layout(std::string_view section) {
  FixedLayout layout;
  if (section.starts_with("#,##")) {
    layout.grouping = true;
    section.remove_prefix(4);
  }
  if (!section.starts_with('0')) return std::nullopt;
  section.remove_prefix(1);
  if (section.empty()) return layout;
  if (section.size() < 2 || section[0] != '.' ||
      section.find_first_not_of('0', 1) != std::string_view::npos)
    return std::nullopt;
  layout.decimals = static_cast<int>(section.size() - 1);
  return layout;
}

std::string format_fixed(double value, const FixedLayout& layout) {
  const std::string text = fixed_text(value, layout.decimals);
  if (!layout.grouping) return text;
  const std::size_t first = text.front() == '-' ? 1 : 0;
  const std::size_t point = std::min(text.find('.'), text.size());
  std::string out = text.substr(0, first);
  for (std::size_t i = first; i < point; ++i) {
    if (i > first && (point - i) % 3 == 0) out += ',';
    out += text[i];
  }
  return out.append(text, point);
}

}  // namespace

bool is_date_format(std::string_view code) {
  return is_date_section(split_sections(code).parts[0], "dmy");
}

std::string format_number(double value, std::string_view code) {
  if (!std::isfinite(value)) return number_text(value);
  const std::string_view section = split_sections(code).parts[0];
  if (is_date_section(section, "dmyhs")) {
    if (const auto tokens = date_tokens(section)) return format_date(value, *tokens);
  } else if (const auto layout = fixed_layout(section)) {
    return format_fixed(value, *layout);
  }
  return number_text(value);
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
      if (section[i] == '@')
        out.append(text);
      else
        out += section[i];
      ++i;
    }
  }
  return out;
}

}  // namespace fenwarx
