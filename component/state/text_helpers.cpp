#include "state/text_helpers.hpp"

#include <cmath>
#include <string>
#include <vector>

#include "platform/values/ascii.hpp"
#include "platform/values/numbers.hpp"
#include "platform/values/runtime_error.hpp"
#include "platform/values/utf8.hpp"
#include "state/message_texts.hpp"
#include "state/return_object.hpp"

namespace fenwarx {
namespace {

constexpr double kSecondsPerDay = 86400.0;

// Never cut inside a character: a name with a non-ASCII letter keeps it whole.
std::string_view first_characters(std::string_view text, std::size_t count) {
  const std::vector<std::string_view> chars = characters(text);
  if (count >= chars.size()) return text;
  return text.substr(0, static_cast<std::size_t>(chars[count].data() - text.data()));
}

std::string replaced_all(std::string_view text, std::string_view find,
                         std::string_view replacement) {
  if (find.empty()) return std::string(text);
  std::string out;
  std::size_t from = 0;
  for (std::size_t at = text.find(find); at != std::string_view::npos; at = text.find(find, from)) {
    out.append(text.substr(from, at - from)).append(replacement);
    from = at + find.size();
  }
  out.append(text.substr(from));
  return out;
}

}  // namespace

std::string AddSpace(std::string_view STR, int num) {
  if (num < 0) throw RuntimeError(err::kInvalidCall);
  const std::size_t width = static_cast<std::size_t>(num);
  const std::size_t length = character_count(STR);
  if (length >= width) return std::string(first_characters(STR, width));
  return std::string(STR).append(width - length, ' ');
}

Variant xplace(std::string_view WhatStr, std::string_view findStr, std::string_view repStr) {
  return Variant::text(replaced_all(WhatStr, findStr, repStr));
}

std::string xplaceHidetxt(std::string_view WhatStr) {
  return without(without(without(WhatStr, '\t'), '\n'), '\r');
}

std::string xplaceName(std::string_view sValue) { return std::string(sValue); }

Message format_failure(ReturnObject& self, std::string_view description) {
  const std::string sheet = self.current_sheet ? self.current_sheet->Name() : std::string();
  return Message::critical("Data Not Entered in Correct format at Row " +
                               number_text(self.last.row) + ", Column " +
                               number_text(self.last.column) + " Entered as  " + self.last.text +
                               " in " + sheet + "\r" + std::string(description),
                           std::string(texts::kFormatTitle));
}

std::string AddZero(ReturnObject& self, std::string_view STR, int num) {
  self.last.text = std::string(STR);
  const std::string digits = without(STR, '.');
  const auto length = static_cast<long long>(character_count(digits));
  if (length > num) {
    // The fill of a negative width is what fails here: an invalid call.
    self.ui().MsgBox(format_failure(self, error_text(err::kInvalidCall)));
    return {};
  }
  if (length == num) return digits;
  std::string filled(static_cast<std::size_t>(num - length), '0');
  for (char c : digits) filled += c == ' ' ? '0' : c;
  return filled;
}

Variant LoadingDelay(ReturnObject& self, int delay, bool /*DisplayDelayForm*/) {
  // The pause ends when delay + 1 second boundaries have passed since the start.
  // The end is built the way the clock builds a time (day + seconds / 86400), so
  // a clock ticking in whole seconds reaches it exactly at that boundary.
  const double start = self.clock().now();
  double day = std::floor(start);
  const double second = std::floor((start - day) * kSecondsPerDay + 1e-6);
  const double end_second = second + delay + 1;
  const double days_on = std::floor(end_second / kSecondsPerDay);
  day += days_on;
  self.clock().sleep_until(day + (end_second - days_on * kSecondsPerDay) / kSecondsPerDay);
  return {};
}

std::string GetVersion() { return "2.2D "; }

}  // namespace fenwarx
