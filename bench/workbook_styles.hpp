#pragma once
// The cell formats of a generated return: a bold shaded heading, bordered texts,
// amounts with two decimals, whole numbers and day-first dates.
#include <cstdint>
#include <string>

namespace fenwarx::bench::style {

inline constexpr std::uint32_t kGeneral = 0;
inline constexpr std::uint32_t kHeading = 1;
inline constexpr std::uint32_t kText = 2;
inline constexpr std::uint32_t kAmount = 3;  // 0.00
inline constexpr std::uint32_t kWhole = 4;   // 0
inline constexpr std::uint32_t kDate = 5;    // dd/mm/yyyy
inline constexpr std::uint32_t kLabel = 6;   // bold, no border

std::string styles_xml();  // the xl/styles.xml part

}  // namespace fenwarx::bench::style
