#pragma once

#include <cstdint>

namespace orbisk {

// A colour as the settings store it: 0x00BBGGRR.
using Color = std::uint32_t;

inline constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
inline constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
inline constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }
// The colour of red, green and blue, each 0..255.
inline constexpr Color RgbColor(int red, int green, int blue) {
  return static_cast<Color>(red & 0xFF) | static_cast<Color>(green & 0xFF) << 8 | static_cast<Color>(blue & 0xFF) << 16;
}

}  // namespace orbisk
