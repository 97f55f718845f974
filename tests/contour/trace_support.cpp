#include "trace_support.h"

#include <cmath>
#include <cstring>
#include <sstream>

namespace orbisk::testing {

std::unique_ptr<PolarGrid> MakeGrid(std::int32_t nFi, std::int32_t nR, long double fiStart, long double fiEnd,
                                    long double rInt, long double rExt) {
  auto grid = std::make_unique<PolarGrid>();
  grid->NFi = nFi;
  grid->NR = nR;
  grid->FiStart = fiStart;
  grid->FiEnd = fiEnd;
  grid->RInt = rInt;
  grid->RExt = rExt;
  grid->StepFi = (fiEnd - fiStart) / (nFi - 1);
  grid->StepR = (rExt - rInt) / (nR - 1);
  return grid;
}

void ScanValues(PolarGrid& grid) {
  grid.MinValue = grid.MaxValue = grid.Values[0][0];
  for (std::int32_t i = 0; i < grid.NFi; ++i) {
    for (std::int32_t j = 0; j < grid.NR; ++j) {
      const long double v = grid.Values[i][j];
      if (v > grid.MaxValue) grid.MaxValue = v;
      if (v < grid.MinValue) grid.MinValue = v;
    }
  }
}

std::vector<Polyline> PolylinesOf(const ContourStore& store) {
  std::vector<Polyline> lines;
  for (std::int32_t k = 0; k < store.LinesFi.Count(); ++k) {
    const TListExt* fi = store.LinesFi.Get(k);
    const TListExt* r = store.LinesR.Get(k);
    lines.push_back({{fi->Data(), fi->Data() + fi->Count()}, {r->Data(), r->Data() + r->Count()}});
  }
  return lines;
}

bool SameBits(long double a, long double b) {
  return std::memcmp(&a, &b, 10) == 0;  // the 80 bits of the extended format
}

std::string PolylinesDifference(const std::vector<Polyline>& fast, const std::vector<Polyline>& literal) {
  std::ostringstream out;
  if (fast.size() != literal.size()) {
    out << fast.size() << " polylines, oracle " << literal.size();
    return out.str();
  }
  for (std::size_t k = 0; k < fast.size(); ++k) {
    if (fast[k].fi.size() != literal[k].fi.size()) {
      out << "polyline " << k << " has " << fast[k].fi.size() << " points, oracle " << literal[k].fi.size();
      return out.str();
    }
    for (std::size_t m = 0; m < fast[k].fi.size(); ++m) {
      if (!SameBits(fast[k].fi[m], literal[k].fi[m]) || !SameBits(fast[k].r[m], literal[k].r[m])) {
        out << "polyline " << k << " point " << m << ": (" << static_cast<double>(fast[k].fi[m]) << ", "
            << static_cast<double>(fast[k].r[m]) << "), oracle (" << static_cast<double>(literal[k].fi[m]) << ", "
            << static_cast<double>(literal[k].r[m]) << ")";
        return out.str();
      }
    }
  }
  return "";
}

namespace {

// A crossing and its Cartesian position, computed once: the literal walk
// would compute the same values again on every scan.
struct Crossing {
  long double fi, r, x, y;
  Crossing(long double angle, long double radius)
      : fi(angle), r(radius), x(radius * std::cos(angle)), y(radius * std::sin(angle)) {}
};
using Pool = std::vector<Crossing>;

bool LiteralBetween(long double x, long double a, long double b) { return (a <= x && x <= b) || (b <= x && x <= a); }

long double Interpolated(long double step, long double d, long double level, long double v, long double p0) {
  if (d == 0) return p0;
  const long double p = (step / d) * (level - v) + p0;
  return std::isfinite(p) ? p : p0;
}

Pool LiteralPool(const PolarGrid& g, long double level) {
  Pool pool;
  auto fi = [&](std::int32_t i) { return i * g.StepFi + g.FiStart; };
  auto r = [&](std::int32_t j) { return j * g.StepR + g.RInt; };
  auto v = [&](std::int32_t i, std::int32_t j) { return static_cast<long double>(g.Values[i][j]); };
  for (std::int32_t i = 0; i < g.NFi; ++i) {
    for (std::int32_t j = 0; j <= g.NR - 2; ++j) {
      if (!LiteralBetween(level, v(i, j + 1), v(i, j))) continue;
      pool.emplace_back(fi(i), Interpolated(g.StepR, v(i, j + 1) - v(i, j), level, v(i, j), r(j)));
    }
  }
  for (std::int32_t j = 0; j < g.NR; ++j) {
    for (std::int32_t i = 0; i <= g.NFi - 2; ++i) {
      if (!LiteralBetween(level, v(i + 1, j), v(i, j))) continue;
      pool.emplace_back(Interpolated(g.StepFi, v(i + 1, j) - v(i, j), level, v(i, j), fi(i)), r(j));
    }
    const std::int32_t last = g.NFi - 1;
    if (LiteralBetween(level, v(0, j), v(last, j))) {
      pool.emplace_back(Interpolated(g.StepFi, v(0, j) - v(last, j), level, v(last, j), fi(last)), r(j));
    }
  }
  return pool;
}

long double Distance(const Crossing& a, const Crossing& b) {
  return std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
}

void LiteralChain(Pool pool, const PolarGrid& g, std::vector<Polyline>& out) {
  while (!pool.empty()) {
    Polyline line;
    long double best = g.RExt;
    std::size_t index = 0;
    for (std::size_t p = 0; p < pool.size(); ++p) {
      if (g.RExt - pool[p].r < best) best = g.RExt - pool[p].r, index = p;
      if (pool[p].r - g.RInt < best) best = pool[p].r - g.RInt, index = p;
    }
    std::vector<Crossing> moved;
    auto move = [&](std::size_t p) {
      moved.push_back(pool[p]);
      line.fi.push_back(pool[p].fi);
      line.r.push_back(pool[p].r);
      pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(p));
    };
    move(index);
    const long double t = std::sqrt(
        (std::cos(g.StepFi) * (g.RExt - g.StepR) - g.RExt) * (std::cos(g.StepFi) * (g.RExt - g.StepR) - g.RExt) +
        (std::sin(g.StepFi) * (g.RExt - g.StepR)) * (std::sin(g.StepFi) * (g.RExt - g.StepR)));
    bool ended = false;
    while (!pool.empty()) {
      const Crossing& last = moved.back();
      std::size_t nearest = 0;
      long double d = Distance(last, pool[0]);
      for (std::size_t p = 1; p < pool.size(); ++p) {
        const long double e = Distance(last, pool[p]);
        if (e < d) d = e, nearest = p;
      }
      if (d > t) {
        ended = true;
        break;
      }
      move(nearest);
    }
    if (!ended && line.fi.size() >= 2 && Distance(moved.front(), moved.back()) <= t) {
      line.fi.push_back(line.fi.front());
      line.r.push_back(line.r.front());
    }
    out.push_back(std::move(line));
  }
}

}  // namespace

std::vector<Polyline> LiteralTrace(const PolarGrid& grid, std::int32_t nLevel) {
  std::vector<Polyline> out;
  const long double n = nLevel;
  const long double mid = (grid.MaxValue + grid.MinValue) * 0.5L;
  const long double range = grid.MaxValue - grid.MinValue;
  const long double half = ((n - 1) * range / n) * 0.5L;
  const long double first = mid - half, last = mid + half;
  const long double step = nLevel > 1 ? (last - first) / (n - 1) : 0;
  for (std::int32_t k = 0; k < nLevel; ++k) {
    const long double level = nLevel == 1 ? first : k * step + first;
    LiteralChain(LiteralPool(grid, level), grid, out);
  }
  return out;
}

}  // namespace orbisk::testing
