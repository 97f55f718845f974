#include "contour/chain_geometry.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <vector>

#include "contour/angle_cache.h"

namespace orbisk {
namespace {

// The 80 bits of an extended number.
bool SameValueBits(long double a, long double b) { return std::memcmp(&a, &b, 10) == 0; }

// SineAndCosine stands for sinl and cosl wherever positions and pixels are
// computed: one argument reduction must give the very bits of both calls.
TEST(SineAndCosine, GivesTheBitsOfSinlAndCosl) {
  const struct {
    const char* name;
    int lowExponent, highExponent;  // |fi| = m * 2^e, m in [1, 2), e in this range
  } rows[] = {
      {"subnormal and tiny", -16445, -60},
      {"small", -60, -1},
      {"near the quadrants", -1, 4},
      {"many turns", 4, 30},
      {"huge", 30, 200},
      {"beyond double", 200, 16383},
  };
  std::mt19937_64 random(15);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::uniform_int_distribution<int> exponent(row.lowExponent, row.highExponent);
    std::uniform_real_distribution<long double> mantissa(1, 2);
    for (int n = 0; n < 100000; ++n) {
      long double fi = std::ldexp(mantissa(random), exponent(random));
      if (n % 2 == 1) fi = -fi;
      long double sine, cosine;
      SineAndCosine(fi, sine, cosine);
      ASSERT_TRUE(SameValueBits(sine, std::sin(fi)) && SameValueBits(cosine, std::cos(fi))) << static_cast<double>(fi);
    }
  }
  const long double specials[] = {0.0L,
                                  -0.0L,
                                  std::numeric_limits<long double>::denorm_min(),
                                  std::numeric_limits<long double>::max(),
                                  0.7853981633974483096L,
                                  3.1415926535897932385L,
                                  1.5707963267948966192L,
                                  6.2831853071795864769L};
  for (long double fi : specials) {
    long double sine, cosine;
    SineAndCosine(fi, sine, cosine);
    EXPECT_TRUE(SameValueBits(sine, std::sin(fi)) && SameValueBits(cosine, std::cos(fi))) << static_cast<double>(fi);
  }
}

// The cache gives PositionOf's bits whether an angle is met again, shares a
// slot with others (thousands of angles over a few hundred slots) or differs
// from a cached one only in its sign or last bit.
TEST(AngleCache, GivesTheBitsOfPositionOf) {
  std::vector<long double> angles = {0.0L, -0.0L, 0.0L, 5.0L, std::nextafter(5.0L, 6.0L), 5.0L, -5.0L, 1e300L};
  std::mt19937_64 random(3);
  std::uniform_real_distribution<long double> turn(0, 6.3L);
  for (int n = 0; n < 20000; ++n) {
    angles.push_back(n % 3 == 0 ? turn(random) : static_cast<long double>(random() % 256) * 0.0246399L);
  }
  AngleCache cache;
  for (long double fi : angles) {
    const PlanePoint cached = cache.PositionOf(fi, 1.75L), direct = PositionOf(fi, 1.75L);
    ASSERT_TRUE(SameValueBits(cached.x, direct.x) && SameValueBits(cached.y, direct.y)) << static_cast<double>(fi);
  }
}

}  // namespace
}  // namespace orbisk
