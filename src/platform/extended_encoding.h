#pragma once
// Reading an x87 extended number's encoding where it is stored (in memory, not
// from a loaded copy: storing a register and reading part of it back stalls).

#include <cstdint>
#include <cstring>

namespace orbisk {

// The biased exponent field: kNotFinite for an infinity or a NaN, 0 for zero
// and subnormals, else the exponent plus kExponentBias.
inline constexpr int kNotFinite = 0x7FFF;
inline constexpr int kExponentBias = 16383;
inline int ExponentFieldOf(const long double* v) {
  std::uint16_t field;
  std::memcpy(&field, reinterpret_cast<const char*>(v) + 8, sizeof field);
  return field & 0x7FFF;
}

// The 64-bit significand, its integer bit on top.
inline std::uint64_t SignificandOf(const long double* v) {
  std::uint64_t significand;
  std::memcpy(&significand, v, sizeof significand);
  return significand;
}

// Whether two extended numbers have the same encoding (sign, exponent and
// significand; the padding after them is not part of it): the same number.
inline bool SameEncoding(const long double* a, const long double* b) {
  std::uint16_t signA, signB;
  std::memcpy(&signA, reinterpret_cast<const char*>(a) + 8, sizeof signA);
  std::memcpy(&signB, reinterpret_cast<const char*>(b) + 8, sizeof signB);
  return SignificandOf(a) == SignificandOf(b) && signA == signB;
}

}  // namespace orbisk
