#pragma once
// Tables of the powers of a base, computed at compile time, for the exact
// conversions between numbers and decimal text.

#include <array>
#include <cstddef>

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

}  // namespace orbisk
