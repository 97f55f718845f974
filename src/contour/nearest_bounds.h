#pragma once
// The error bound that the nearest search rests on, and the constants it is
// built from. The search compares approximate distances (doubles) and calls
// on exact ones (extended, PositionOf and DistanceOf, as the literal walk
// computes them) only when two candidates, or a candidate and the limit, are
// closer than the bound. Every constant below is used under its name, and the
// derivation is written beside it.
//
// Scaling. All positions are multiplied by s, a power of two with s * R in
// [1, 2) for the largest radius magnitude R of the pool (s * R in [2^-62, 2)
// when R is below the extended normal range, where s stops at 2^16383). A
// scaled coordinate is thus below 2 in magnitude, and so a scaled distance
// between two entries is below 4 * sqrt(2) < 6.
//
// Approximate coordinate (per coordinate, scaled), |x~ - s X| <= slack, where X
// is the exact extended coordinate in the frame turned by the angle t (a
// double; 0 unless the search turns its frame; turning keeps every distance):
// - angle |fi - t| <= kLargestDoubleAngle: a = fi - t rounded to extended, then
//   to double, |a - (fi - t)| <= 2^-53 |a| + 2^-64 |fi - t| (+ 2^-1075 when
//   subnormal); the double sine and cosine of a
//   are within 1 ulp (2^-52) of the true ones; s r rounded to double adds
//   2^-53 relative, the product another 2^-53, and X itself is within 2^-63
//   |s r| of the true coordinate (the turned one, which lies as far from the
//   other true points turned). With s |r| < 2 the sum is below
//   2 (2^-53 (1 + 2^-10) |a| + 2^-50) plus three subnormal roundings, which
//   kSlackPerRadian |a| + kSlackBase + kSlackSubnormal covers nearly twice over.
// - larger angles (only in an unturned frame): x~ is s X rounded to double,
//   within 2^-53 * 2 + 2^-1075, inside kSlackBase.
//
// Approximate distance d~ against the exact one d (both scaled),
//   |d~ - s d| <= 3 slack + kDistanceRelative d~ + kDoubleUnderflow
//                + s kExtendedUnderflow                       = DistanceError(d~):
// - each point moves by at most sqrt(2) slack, both by 2 sqrt(2) < 3 slack;
// - the double difference, squares, sum and root of d~ add a few 2^-53
//   relative, the extended ones of d a few 2^-64: kDistanceRelative = 2^-40
//   covers both with room (also for the use of d~ in place of s d);
// - squares that underflow in double lose at most 2^-1074 each, so d~ moves by
//   at most sqrt(3 * 2^-1074) < kDoubleUnderflow;
// - squares that underflow in extended lose at most 2^-16446 each, so d moves
//   by at most sqrt(3 * 2^-16446) < kExtendedUnderflow (before scaling).
// The last term is tiny unless the pool lies far below the double range; it
// is clamped to kReachCap, where it makes every entry a candidate.
//
// Limits and reach. A search keeps every entry whose d~ may lie within the
// limit or tie the nearest, so its reach is at least the scaled limit plus
// DistanceError. No two entries lie more than 6 apart (scaled), so a scaled limit
// above kLimitCap admits every pair exactly as the true one does, and a reach
// of kReachCap covers the whole pool: both are clamped there, which keeps
// every reach finite however large the link distance is against the radii.
//
// Overflow. An exact coordinate r cos(fi) rounds to at most |r|. With
// R <= kNoOverflowRadius no coordinate difference exceeds 2^8191, no square
// 2^16382 and no sum 2^16383: no exact distance overflows. Beyond it the
// search checks, as the literal scan would, that no distance from the query
// overflows before it searches. The link distance is itself a distance that
// did not overflow, below 2^8192, so a limit clamped at kLimitCap (at least
// 4 R) never meets a pool beyond kNoOverflowRadius.

namespace orbisk::nearest {

// Angles up to this magnitude take the double sine and cosine; larger ones
// the exact position rounded to double (whose slack does not grow with |fi|).
constexpr long double kLargestDoubleAngle = 256;

// Slack of an approximate coordinate: kSlackPerRadian per radian of the largest
// angle that takes the double path, plus kSlackBase, plus kSlackSubnormal.
constexpr double kSlackPerRadian = 0x1p-51;
constexpr double kSlackBase = 0x1p-47;
constexpr double kSlackSubnormal = 0x1p-1060;

// Relative error of a distance, approximate against exact.
constexpr double kDistanceRelative = 0x1p-40;

// Absolute error of an approximate distance whose squares underflow.
constexpr double kDoubleUnderflow = 0x1p-500;

// Absolute error of an exact distance whose squares underflow (unscaled).
constexpr long double kExtendedUnderflow = 0x1p-8221L;

// Pools whose radii stay within this magnitude have no overflowing distance.
constexpr long double kNoOverflowRadius = 0x1p8190L;

// The scaled limit and every reach are clamped to these (see above).
constexpr double kLimitCap = 8;
constexpr double kReachCap = 16;

// A squared bound d^2 (1 + kSquareMargin) keeps every point whose distance
// rounds to <= d: the square and the root each add at most 2^-52.
constexpr double kSquareMargin = 0x1p-40;

// Cell and row bounds computed as x0 + k * cell differ from where the cell
// index of a coordinate, (x - x0) / cell truncated, changes by a few roundings
// of 2^-53 relative of numbers up to |x0| + extent + cell: kFuzzPerMagnitude of
// |x0| + extent and kFuzzPerCell of a cell side hold them many times over.
constexpr double kFuzzPerCell = 0x1p-30;
constexpr double kFuzzPerMagnitude = 0x1p-48;

}  // namespace orbisk::nearest
