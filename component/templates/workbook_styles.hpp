#pragma once
// The cell formats of a return workbook: bold shaded headings, bordered data
// cells (texts, amounts with two decimals, whole numbers, day-first dates, rates),
// and the same formats without borders as whole-column defaults, so a value
// typed into an empty cell of a column shows as the column means it.
#include <cstdint>
#include <string>

namespace fenwarx::templates::style {

inline constexpr std::uint32_t kGeneral = 0;
inline constexpr std::uint32_t kHeading = 1;
inline constexpr std::uint32_t kText = 2;
inline constexpr std::uint32_t kAmount = 3;  // 0.00
inline constexpr std::uint32_t kWhole = 4;   // 0
inline constexpr std::uint32_t kDate = 5;    // dd/mm/yyyy
inline constexpr std::uint32_t kLabel = 6;   // bold, no border
inline constexpr std::uint32_t kRate = 7;    // 0.0000
// Text format, only for a year typed like 2005-06, which would otherwise read as a date.
inline constexpr std::uint32_t kTextEntry = 8;
inline constexpr std::uint32_t kNote = 9;  // italic grey hint beside a field
inline constexpr std::uint32_t kColumnAmount = 10;
inline constexpr std::uint32_t kColumnWhole = 11;
inline constexpr std::uint32_t kColumnDate = 12;
inline constexpr std::uint32_t kColumnRate = 13;

std::string styles_xml();  // the xl/styles.xml part

}  // namespace fenwarx::templates::style
