#pragma once
// Reading an x87 extended number's encoding where it is stored (in memory, not
// from a loaded copy: storing a register and reading part of it back stalls).

#include <cstdint>
#include <cstring>

namespace orbisk {

// The sign bit above the biased exponent field; the field is kNotFinite for
// an infinity or a NaN, 0 for zero and subnormals, else the exponent plus
// kExponentBias.
inline constexpr int kNotFinite = 0x7FFF;
inline constexpr int kExponentBias = 16383;
inline std::uint16_t SignAndExponentOf(const long double* v) {
  std::uint16_t bits;
  std::memcpy(&bits, reinterpret_cast<const char*>(v) + 8, sizeof bits);
  return bits;
}
inline int ExponentFieldOf(const long double* v) { return SignAndExponentOf(v) & 0x7FFF; }

// The 64-bit significand, its integer bit on top.
inline std::uint64_t SignificandOf(const long double* v) {
  std::uint64_t significand;
  std::memcpy(&significand, v, sizeof significand);
  return significand;
}

// Whether two extended numbers have the same encoding (sign, exponent and
// significand; the padding after them is not part of it): the same number.
inline bool SameEncoding(const long double* a, const long double* b) {
  return SignificandOf(a) == SignificandOf(b) && SignAndExponentOf(a) == SignAndExponentOf(b);
}

}  // namespace orbisk
