#pragma once
// Tables of powers, computed at compile time, for the exact conversions
// between numbers and decimal text in 128-bit integers.

#include <array>
#include <cstddef>
#include <cstdint>

namespace orbisk {

// base^0 .. base^(kCount - 1).
template <typename T, std::size_t kCount>
constexpr std::array<T, kCount> Powers(T base) {
  std::array<T, kCount> powers{};
  T power = 1;
  for (T& p : powers) {
    p = power;
    power *= base;
  }
  return powers;
}

inline constexpr int kMostPowerOfTen = 38;   // 10^38 < 2^127
inline constexpr int kMostPowerOfFive = 27;  // 5^27 < 2^63
inline constexpr auto kPowersOfTen = Powers<unsigned __int128, kMostPowerOfTen + 1>(10);
inline constexpr auto kPowersOfFive = Powers<std::uint64_t, kMostPowerOfFive + 1>(5);

}  // namespace orbisk
