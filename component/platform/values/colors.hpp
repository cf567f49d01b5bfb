#pragma once
// Colours as the platform keeps them: one long, red + 256 * green + 65536 * blue,
// whether a cell's interior or a window's background.
#include <cstdint>

namespace fenwarx {

constexpr std::uint32_t rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) noexcept {
  return red + 256u * green + 65536u * blue;
}
constexpr std::uint8_t red_of(std::uint32_t color) noexcept { return color & 0xFF; }
constexpr std::uint8_t green_of(std::uint32_t color) noexcept { return (color >> 8) & 0xFF; }
constexpr std::uint8_t blue_of(std::uint32_t color) noexcept { return (color >> 16) & 0xFF; }

// The background of the component's own windows, a light peach.
constexpr std::uint32_t fill_color() noexcept { return rgb(252, 229, 185); }

}  // namespace fenwarx
