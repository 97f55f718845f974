#include "hostile_pool.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "contour/chaining.h"
#include "contour/literal_chaining.h"
#include "platform/error.h"
#include "store/contour_store.h"
#include "trace_support.h"

namespace orbisk::testing {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kInf = std::numeric_limits<long double>::infinity();
constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

struct Centre {
  long double fi, r;
};

// Far beyond the double range, where extended distances underflow or overflow.
long double ExtendedOnly(HostileDraw& draw) {
  return std::pow(10.0L, static_cast<long double>(draw.Pick(9000) - 4500)) * (1 + draw.Unit());
}

}  // namespace

long double HostileDraw::Radius() {
  const long double sign = Pick(8) == 0 ? -1 : 1;
  switch (Pick(12)) {
    case 0:
      return 0;
    case 1:
      return sign * std::numeric_limits<double>::denorm_min() * (1 + Pick(4));
    case 2:
      return sign * std::pow(10.0L, static_cast<long double>(Unit() * 616 - 308));
    case 3:
      return sign * std::numeric_limits<double>::max() * (1 - Unit() * 1e-3);
    case 4:
      return sign * ExtendedOnly(*this);
    case 5:
      return sign * (1e301L + Unit() * 1e301L);
    default:
      return sign * (1 + Unit());
  }
}

long double HostileDraw::Angle() {
  switch (Pick(10)) {
    case 0:
      return Pick(2) ? 0.0L : -0.0L;
    case 1:
      return 1e6L * Unit();
    case 2:
      return 40 * kPi * Unit();  // wound many times
    case 3:
      return (Pick(2) ? 1 : -1) * std::pow(10.0L, static_cast<long double>(Pick(700)));  // beyond double too
    case 4:
      return Pick(16) * kPi / 4;  // lattice: distances that tie
    case 5:
      return 1e-300L * Unit();
    default:
      return 14 * Unit() - 7;
  }
}

void DrawDomain(HostileDraw& draw, PolarGrid& grid) {
  grid.RInt = draw.Radius();
  grid.RExt = draw.Pick(4) == 0 ? grid.RInt : draw.Radius();
  grid.StepR = draw.Pick(3) == 0 ? 0 : draw.Radius();
  const long double steps[] = {0, 2 * kPi / (1 + draw.Pick(255)), 1e-9L, 2 * kPi, draw.Angle(), kPi};
  grid.StepFi = steps[draw.Pick(6)];
  if (draw.Pick(64) == 0) (draw.Pick(2) ? grid.RExt : grid.StepFi) = draw.Pick(2) ? kNaN : kInf;
  // A sector of its own, often thin, to which the search may turn its frame
  // whatever the angles of the points.
  grid.FiStart = draw.Pick(2) ? 0.0L : draw.Angle();
  grid.FiEnd = grid.FiStart + (draw.Pick(2) ? 0.0L : 1e-3L * draw.Angle());
}

namespace {

// One entry near the centres drawn so far, or a new centre.
Centre DrawEntry(HostileDraw& draw, std::vector<Centre>& centres, const CrossingPool& pool) {
  const Centre c = centres[static_cast<std::size_t>(draw.Pick(static_cast<std::int32_t>(centres.size())))];
  switch (draw.Pick(12)) {
    case 0:
    case 1:
      if (pool.Fi.Count() > 0) {  // a repeat of an earlier entry
        const std::int32_t k = draw.Pick(pool.Fi.Count());
        return {pool.Fi.Get(k), pool.R.Get(k)};
      }
      return c;
    case 2:  // a few ulps away
      return {std::nextafter(c.fi, draw.Pick(2) ? kInf : -kInf), draw.Pick(2) ? c.r : std::nextafter(c.r, kInf)};
    case 3:
      return {draw.Angle(), c.r};  // on its circle
    case 4:
      return {c.fi, c.r * static_cast<long double>(draw.Unit() * 2)};  // on its ray
    case 5:
      return {draw.Angle(), 0};
    case 6:
      return {c.fi + static_cast<long double>(draw.Unit()) * 1e-9L,
              c.r * (1 + static_cast<long double>(draw.Unit()) * 1e-9L)};
    case 7:
      return {c.fi + draw.Pick(8) * kPi / 4, c.r * (1 + draw.Pick(4)) / 4};  // lattice
    case 8:
      if (draw.Pick(512) == 0) return {draw.Pick(2) ? kNaN : c.fi, draw.Pick(2) ? -kInf : c.r};
      return c;
    case 9:
      centres.push_back({draw.Angle(), draw.Radius()});
      return centres.back();
    default:
      return {c.fi + static_cast<long double>(draw.Unit() - 0.5) * 0.1L,
              c.r * (1 + static_cast<long double>(draw.Unit() - 0.5) * 0.1L)};
  }
}

}  // namespace

void DrawPool(HostileDraw& draw, CrossingPool& pool, std::int32_t most) {
  std::vector<Centre> centres{{draw.Angle(), draw.Radius()}};
  const std::int32_t count = draw.Pick(most + 1);
  for (std::int32_t k = 0; k < count; ++k) {
    const Centre entry = DrawEntry(draw, centres, pool);
    pool.Fi.Add(entry.fi);
    pool.R.Add(entry.r);
  }
}

long double DrawGrid(HostileDraw& draw, PolarGrid& grid) {
  grid.NFi = 2 + draw.Pick(11);
  grid.NR = 2 + draw.Pick(11);
  grid.FiStart = draw.Angle();
  grid.FiEnd = draw.Pick(3) == 0 ? grid.FiStart : draw.Angle();
  grid.RInt = draw.Radius();
  grid.RExt = draw.Pick(3) == 0 ? grid.RInt : draw.Radius();
  grid.StepFi = (grid.FiEnd - grid.FiStart) / (grid.NFi - 1);
  grid.StepR = (grid.RExt - grid.RInt) / (grid.NR - 1);
  const double special[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::max(), 0};
  for (std::int32_t i = 0; i < grid.NFi; ++i) {
    for (std::int32_t j = 0; j < grid.NR; ++j) {
      const std::int32_t kind = draw.Pick(8);
      grid.Values[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = kind == 0  ? special[draw.Pick(5)]
                                                                              : kind < 4 ? draw.Pick(3)
                                                                                         : draw.Unit();
    }
  }
  const long double levels[] = {1, 0.5L, static_cast<long double>(draw.Unit()), kInf, kNaN, 0};
  return levels[draw.Pick(6)];
}

namespace {

struct Outcome {
  std::vector<Polyline> lines;
  std::string error;
};

Outcome Chain(const CrossingPool& pool, const PolarGrid& grid, bool literally) {
  CrossingPool copy;
  for (std::int32_t k = 0; k < pool.Fi.Count(); ++k) copy.Fi.Add(pool.Fi.Get(k)), copy.R.Add(pool.R.Get(k));
  ContourStore store;
  Outcome outcome;
  try {
    literally ? ChainCrossingsLiterally(copy, grid, store) : ChainCrossings(copy, grid, store);
  } catch (const Error& error) {
    outcome.error = error.what();
  }
  outcome.lines = PolylinesOf(store);
  return outcome;
}

}  // namespace

std::string ChainingDifference(const CrossingPool& pool, const PolarGrid& grid) {
  const Outcome fast = Chain(pool, grid, false), literal = Chain(pool, grid, true);
  if (fast.error != literal.error) return "error '" + fast.error + "', literal walk '" + literal.error + "'";
  return PolylinesDifference(fast.lines, literal.lines);
}

}  // namespace orbisk::testing
