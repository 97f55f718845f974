#pragma once

#include <cstdint>

namespace orbisk {

// A colour as the settings store it: 0x00BBGGRR.
using Color = std::uint32_t;

inline constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
inline constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
inline constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

}  // namespace orbisk
