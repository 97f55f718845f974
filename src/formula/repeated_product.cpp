#include "formula/repeated_product.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <limits>

namespace orbisk::formula {
namespace {

using Wide = __int128;

// A step t -> round(round64(t * m)) within one binade, counted in units of the
// binade's ulp u: t = M u with 2^52 <= M < 2^53, and the exact result is
// M + M c. The x87 unit first rounds it to 64 significant bits, that is to a
// multiple of 2^-11, and the store then rounds that to an integer, ties to
// even. So the increment is the integer nearest to M c, except in the tie
// zones within 2^-12 of a half, where the first rounding lands exactly on the
// half and the parity of the result decides.
struct Ratio {
  std::int64_t num, den;  // c = num / den, den > 0
};

constexpr std::int64_t kTwo52 = std::int64_t{1} << 52;
constexpr std::int64_t kTwo53 = std::int64_t{1} << 53;
constexpr int kZoneScale = 4096;  // 2^12: scaled by it, the tie zones end on integers

// c of a step by m (|m - 1| small, so 1/2 <= m < 2).
Ratio IncrementRatio(double m, bool divide) {
  int exponent = 0;
  const double fraction = std::frexp(m, &exponent);
  const auto mm = static_cast<std::int64_t>(std::ldexp(fraction, 53));  // m = mm / scale
  const std::int64_t scale = std::int64_t{1} << (53 - exponent);
  return divide ? Ratio{scale - mm, mm} : Ratio{mm - scale, scale};
}

// Of the steps from M0 along M0 + j k (j = 0, 1, ...), the first of which has
// the increment k, how many provably have the increment k, at most cap. Each
// result stays inside the binade, away from its ends. With x_j = (M0 + j k) c
// rising in j (k and c share their sign), step j has the increment k when x_j
// lies strictly between the tie zones around k - 1/2 and k + 1/2; when k and M0
// are even every M_j + k is even, so the tie zones themselves round to k too.
std::int64_t ConstantIncrementRun(std::int64_t m0, std::int64_t k, Ratio c, std::int64_t cap) {
  const std::int64_t room = k > 0 ? (kTwo53 - 2 - m0) / k : (m0 - kTwo52 - 1) / -k;
  cap = std::min(cap, room);
  if (cap <= 1) return 1;
  const bool tiesGoToK = k % 2 == 0 && m0 % 2 == 0;
  const Wide slope = Wide(k) * c.num * kZoneScale;  // x_j rises by this, scaled by den * 2^12
  const Wide zone = tiesGoToK ? 1 : -1;
  const Wide x1 = Wide(m0 + k) * c.num * kZoneScale;
  const Wide lowest = (Wide(k) * kZoneScale - kZoneScale / 2 - zone) * c.den;
  if (tiesGoToK ? x1 < lowest : x1 <= lowest) return 1;
  const Wide highest = (Wide(k) * kZoneScale + kZoneScale / 2 + zone) * c.den;
  const Wide margin = highest - Wide(m0) * c.num * kZoneScale;  // x_j fits while j * slope is below it
  Wide count = 0;
  if (tiesGoToK) {
    count = margin >= 0 ? margin / slope + 1 : 0;
  } else {
    count = margin > 0 ? (margin + slope - 1) / slope : 0;
  }
  return std::max<std::int64_t>(1, static_cast<std::int64_t>(std::min<Wide>(count, cap)));
}

// For the native step t -> next: when both lie in one binade of normal
// numbers, skips the run of steps with the same increment that it starts
// and returns their number (next counts as the first); otherwise 1.
std::int64_t SkipRun(double t, double next, Ratio c, std::int64_t cap, double& end) {
  end = next;
  if (t < DBL_MIN || next < DBL_MIN) return 1;
  int exponent = 0, nextExponent = 0;
  const double fraction = std::frexp(t, &exponent);
  const double nextFraction = std::frexp(next, &nextExponent);
  if (exponent != nextExponent) return 1;
  const auto m0 = static_cast<std::int64_t>(std::ldexp(fraction, 53));
  const std::int64_t k = static_cast<std::int64_t>(std::ldexp(nextFraction, 53)) - m0;
  const std::int64_t run = ConstantIncrementRun(m0, k, c, cap);
  end = std::ldexp(static_cast<double>(m0 + run * k), exponent - 53);
  return run;
}

// 2^(binary exponent of x) * (1/2 - 2^-11) * 2^-52 for a normal x: below this
// distance from the product, the rounding to 64 bits cannot reach the midpoint
// between two doubles, so rounding twice gives the same as rounding once.
inline double SafeDistance(double x) {
  return std::bit_cast<double>(std::bit_cast<std::uint64_t>(x) & 0x7FF0000000000000u) * 0x1.FF8p-54;
}

inline bool IsPowerOfTwo(double x) { return (std::bit_cast<std::uint64_t>(x) & 0x000FFFFFFFFFFFFFu) == 0; }

// Results where the quick steps are exact: the product's error term is a
// normal double, and nothing overflows.
constexpr double kQuickLowest = 0x1p-960;
constexpr double kQuickHighest = 0x1p1020;

bool HasFusedMultiplyAdd() {
  static const bool has = __builtin_cpu_supports("fma");
  return has;
}

// Takes up to `steps` steps in double arithmetic, each with its exact error
// from a fused multiply-add, as long as that error shows the rounding twice
// through 64 bits would give the same double. Stops before a step it cannot
// vouch for and before a fixed point; returns the steps taken. A quotient is
// first guessed as t (1/m), with 1/m held to twice the double precision, which
// is faster than a division and almost always right; the exact remainder
// t - next m then vouches for it like the error of a product (a wrong guess
// lies half an ulp or more away and fails the test).
__attribute__((target("fma"))) std::int64_t QuickSteps(double& start, double m, std::int64_t steps, bool divide) {
  const double inverse = 1 / m;
  const double inverseLow = __builtin_fma(-inverse, m, 1.0) / m;  // 1/m - inverse, nearly
  double t = start;
  std::int64_t taken = 0;
  for (; taken < steps; ++taken) {
    const double next = divide ? __builtin_fma(t, inverse, t * inverseLow) : t * m;
    // Multiplication: t m - next; division: t - next m, which is m (t / m - next).
    const double error = divide ? __builtin_fma(-next, m, t) : __builtin_fma(t, m, -next);
    const double limit = divide ? m * SafeDistance(next) : SafeDistance(next);
    if (!(next >= kQuickLowest && next <= kQuickHighest) || IsPowerOfTwo(next) || !(std::fabs(error) < limit) ||
        next == t) {
      break;
    }
    t = next;
  }
  start = t;
  return taken;
}

// True when the magnitude grows from a normal t and, even with every rounding
// against it (each costs less than 2^-52 of the value), passes the largest
// double within `steps` steps: some step then overflows.
bool OverflowIsCertain(double t, double m, std::int64_t steps, bool divide) {
  constexpr Extended kLogOfLargestDouble = 709.78271289338400L;  // ln DBL_MAX = 709.782712893383996...
  constexpr std::int64_t kForeseeFrom = 4096;                    // shorter chains are stepped through
  const bool grows = divide ? m < 1 : m > 1;
  if (!grows || t < DBL_MIN || steps < kForeseeFrom) return false;
  const Extended perStep = fabsl(logl(m)) - 0x1p-52L;
  return perStep > 0 && logl(t) + static_cast<Extended>(steps) * perStep > kLogOfLargestDouble + 1e-9L;
}

// Runs of equal increments pay for their arithmetic where m is this close to 1.
constexpr double kRunsBelow = 0x1p-29;
constexpr std::int64_t kStepsBetweenRuns = 64;

}  // namespace

template <class Steps>
double RepeatedRoundedProduct(double t, double m, std::int64_t steps, bool divide) {
  if (OverflowIsCertain(t, m, steps, divide)) {
    Steps::Fail(MathErrorKind::Overflow);
    return std::numeric_limits<double>::infinity();
  }
  const bool runs = std::fabs(m - 1) <= kRunsBelow;
  const Ratio c = runs ? IncrementRatio(m, divide) : Ratio{0, 1};
  const bool quick = HasFusedMultiplyAdd();
  while (steps > 0) {
    if (quick) {
      steps -= QuickSteps(t, m, runs ? std::min(steps, kStepsBetweenRuns) : steps, divide);
      if (steps == 0) break;
    }
    const double next = Steps::Round(divide ? Steps::Div(t, m) : Steps::Mul(t, m));
    if (std::isinf(next)) return next;  // only a fast run gets here; its flag is raised
    if (next == t) break;               // a fixed point: nothing changes any more
    if (runs) {
      steps -= SkipRun(t, next, c, steps, t);
    } else {
      t = next;
      --steps;
    }
  }
  return t;
}

template double RepeatedRoundedProduct<FastSteps>(double, double, std::int64_t, bool);
template double RepeatedRoundedProduct<CheckedSteps>(double, double, std::int64_t, bool);

}  // namespace orbisk::formula
