#include "platform/xlsx/builtin_formats.hpp"

#include <array>

namespace fenwarx {

namespace {

constexpr std::uint32_t kCount = 50;

// clang-format off
constexpr std::array<std::string_view, kCount> kCodes = {
    "General",                                // 0
    "0",                                      // 1
    "0.00",                                   // 2
    "#,##0",                                  // 3
    "#,##0.00",                               // 4
    "", "", "", "",                           // 5-8: currency, locale-defined
    "0%",                                     // 9
    "0.00%",                                  // 10
    "0.00E+00",                               // 11
    "# ?/?",                                  // 12
    "# ?\?/??",                               // 13
    "dd/mm/yyyy",                             // 14: the short date, shown day first
    "d-mmm-yy",                               // 15
    "d-mmm",                                  // 16
    "mmm-yy",                                 // 17
    "h:mm AM/PM",                             // 18
    "h:mm:ss AM/PM",                          // 19
    "h:mm",                                   // 20
    "h:mm:ss",                                // 21
    "dd/mm/yyyy h:mm",                        // 22
    "", "", "", "", "", "", "", "", "", "", "", "", "", "",  // 23-36: locale-defined
    "#,##0 ;(#,##0)",                         // 37
    "#,##0 ;[Red](#,##0)",                    // 38
    "#,##0.00;(#,##0.00)",                    // 39
    "#,##0.00;[Red](#,##0.00)",               // 40
    "", "", "", "",                           // 41-44: accounting, locale-defined
    "mm:ss",                                  // 45
    "[h]:mm:ss",                              // 46
    "mmss.0",                                 // 47
    "##0.0E+0",                               // 48
    "@",                                      // 49
};
// clang-format on

}  // namespace

std::string_view builtin_format(std::uint32_t id) {
  return is_builtin_format(id) ? kCodes[id] : kCodes[0];
}

bool is_builtin_format(std::uint32_t id) { return id < kCount && !kCodes[id].empty(); }

bool is_builtin_date_format(std::uint32_t id) {
  return (id >= 14 && id <= 22) || (id >= 45 && id <= 47);
}

std::optional<std::uint32_t> builtin_format_id(std::string_view code) {
  for (std::uint32_t id = 0; id < kCount; ++id)
    if (id != 14 && id != 22 && !kCodes[id].empty() && kCodes[id] == code) return id;
  return std::nullopt;
}

}  // namespace fenwarx
