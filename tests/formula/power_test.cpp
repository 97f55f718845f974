// The power operator against its definition: a negative base steps through
// t := round_to_double(t * b) in extended precision, and a positive base is
// e^(e ln b); the quick ways to both must give the very same bits.

#include "formula/power.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <vector>

#include "formula/arithmetic_steps.h"
#include "formula/repeated_product.h"
#include "platform/error.h"

namespace orbisk::formula {
namespace {

std::uint64_t Bits(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// The oracle: every step taken, literally.
double LiteralProduct(double t, double m, std::int64_t steps, bool divide) {
  for (; steps > 0; --steps) {
    const Extended exact = divide ? static_cast<Extended>(t) / m : static_cast<Extended>(t) * m;
    t = static_cast<double>(exact);
    if (std::isinf(t)) break;
  }
  return t;
}

struct ChainCase {
  const char* name;
  double base;  // negative
  double exponent;
  double value;  // worked out by hand or by the literal loop
};

TEST(Power, NegativeBaseIsTheStepByStepProduct) {
  const std::vector<ChainCase> cases = {
      // b = -(1 + 2^-52): every product adds one ulp, far from a tie.
      {"(-1.0000000000000002)^(2^31-1)", -1.0000000000000002, 2147483647.0, -(1 + 2147483647.0 * 0x1p-52)},
      // Two quotients reach 1 - 2^-52, then every quotient takes two ulps of [1/2, 1).
      {"(-1.0000000000000002)^(-2^31)", -1.0000000000000002, -2147483648.0, 1 - 0x1p-21},
      {"(-1.0001)^5000001", -1.0001, 5000001.0, -LiteralProduct(1.0001, 1.0001, 5000000, false)},
      {"(-1.0001)^-4000000", -1.0001, -4000000.0, LiteralProduct(1.0001, 1.0001, 4000001, true)},
      {"(-0.99)^-80000 overflows", -0.99, -80000.0, HUGE_VAL},
      {"(-1.000001)^(2^31-1) overflows", -1.000001, 2147483647.0, HUGE_VAL},
  };
  for (const ChainCase& c : cases) {
    SCOPED_TRACE(c.name);
    if (std::isinf(c.value)) {
      EXPECT_THROW(Power<CheckedSteps>(c.base, c.exponent), MathError);
      continue;
    }
    EXPECT_EQ(Bits(Power<CheckedSteps>(c.base, c.exponent)), Bits(c.value));
    EXPECT_EQ(Bits(Power<FastSteps>(c.base, c.exponent)), Bits(c.value));
  }
}

// Chains that reach the quick steps, the skipped runs of equal increments,
// binade changes, the tie zones, subnormal tails and overflow, each compared
// with the literal loop.
TEST(RepeatedRoundedProduct, MatchesTheLiteralLoop) {
  std::mt19937_64 random(20240615);
  std::uniform_real_distribution<double> unit(0, 1);
  auto near = [&](double scale) {
    return std::ldexp(1.0 + unit(random), std::uniform_int_distribution<int>(-1, 0)(random)) * scale;
  };
  struct Start {
    double t, m;
  };
  std::vector<Start> starts = {
      {1.5 - 0x1p-11, 1 + 0x1p-52},      // the tie zone of x = 1.5: increments turn even
      {1.5 - 0x1p-40, 1 + 3 * 0x1p-52},  // several tie zones of odd increments
      {2 - 0x1p-32, 1 + 0x1p-45},        // a run into the next binade
      {1 + 0x1p-30, 1 - 0x1p-53},        // down into the binade below
      {0x1p-1022 * 1.5, 1 - 0x1p-40},    // into the subnormals, then a fixed point
      {1e300, 1 + 1e-6},                 // overflow on the way
      {1.0, 0.75},
  };
  for (int i = 0; i < 60; ++i) {
    const double delta = std::ldexp(unit(random), -std::uniform_int_distribution<int>(20, 52)(random));
    const double m = unit(random) < 0.5 ? 1 + delta : 1 - delta / 2;
    starts.push_back({near(1), m});
    starts.push_back({std::ldexp(std::nextafter(2.0, 0.0) - 1e-10 * unit(random), -3), m});  // near a binade's top
  }
  for (const Start& s : starts) {
    for (bool divide : {false, true}) {
      const std::int64_t steps = std::uniform_int_distribution<std::int64_t>(1, 1 << 19)(random);
      SCOPED_TRACE(testing::Message() << std::hexfloat << s.t << (divide ? " / " : " * ") << s.m << " x" << steps);
      const double expected = LiteralProduct(s.t, s.m, steps, divide);
      if (std::isinf(expected)) {
        EXPECT_THROW(RepeatedRoundedProduct<CheckedSteps>(s.t, s.m, steps, divide), MathError);
        continue;
      }
      EXPECT_EQ(Bits(RepeatedRoundedProduct<FastSteps>(s.t, s.m, steps, divide)), Bits(expected));
      EXPECT_EQ(Bits(RepeatedRoundedProduct<CheckedSteps>(s.t, s.m, steps, divide)), Bits(expected));
    }
  }
}

// Small integer exponents and the square root skip the logarithm where that
// provably gives the same double; bases whose powers lie near a midpoint
// between two doubles are drawn on purpose.
TEST(Power, PositiveBaseShortcutMatchesTheDefinition) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> unit(0, 1);
  const double exponents[] = {2, 3, -1, -2, 0.5, 1, 5, 17, -33, 64};
  int compared = 0;
  for (double e : exponents) {
    for (int i = 0; i < 20000; ++i) {
      double base = std::ldexp(1 + unit(random), std::uniform_int_distribution<int>(-40, 40)(random));
      if (i % 2 == 1 && e == 2) {
        // b close to the root of a midpoint: b^2 near the middle of two doubles
        const double low = std::ldexp(1 + unit(random), 0);
        base = static_cast<double>(sqrtl(low + std::ldexp(1.0L, -53)));
      }
      const double definition = static_cast<double>(expl(static_cast<Extended>(e) * NaturalLog(base)));
      ASSERT_EQ(Bits(Power<FastSteps>(base, e)), Bits(definition)) << std::hexfloat << base << "^" << e;
      ++compared;
    }
  }
  EXPECT_EQ(compared, 200000);
}

}  // namespace
}  // namespace orbisk::formula
