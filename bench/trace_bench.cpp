// ComputeContours with 14 levels on 256 x 256 grids: the default formula, the
// 3d test function, uniform noise, noise over a thin sector, noise with every
// crossing on one point, a flat grid and noise at radii near the top of
// double; and on a
// 64 x 64 grid of noise, the chaining against the literal walk that scans the
// whole pool for every point.

#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <numbers>
#include <random>

#include "contour/chaining.h"
#include "contour/compute_contours.h"
#include "contour/contour_levels.h"
#include "contour/crossings.h"
#include "contour/literal_chaining.h"
#include "platform/silent_ui.h"
#include "platform/thread_pool.h"
#include "polar_data/sampling.h"

namespace {

constexpr long double kTwoPi = 2 * std::numbers::pi_v<long double>;

// A size x size grid over angles 0..2pi and the given radii, each value f(x, y, r)
// computed in double as sampling rounds its inputs, then scanned.
template <typename F>
std::unique_ptr<orbisk::PolarGrid> SampledGrid(long double rInt, long double rExt, F f, int size = 256) {
  auto grid = std::make_unique<orbisk::PolarGrid>();
  grid->NFi = grid->NR = size;
  grid->FiStart = 0;
  grid->FiEnd = kTwoPi;
  grid->RInt = rInt;
  grid->RExt = rExt;
  grid->StepFi = (grid->FiEnd - grid->FiStart) / (size - 1);
  grid->StepR = (rExt - rInt) / (size - 1);
  for (int i = 0; i < size; ++i) {
    const auto fi = static_cast<double>(i * grid->StepFi + grid->FiStart);
    const double c = std::cos(fi), s = std::sin(fi);
    for (int j = 0; j < size; ++j) {
      const auto r = static_cast<double>(j * grid->StepR + grid->RInt);
      grid->Values[i][j] = f(r * c, r * s, r);
    }
  }
  orbisk::ScanGrid(*grid);
  return grid;
}

std::unique_ptr<orbisk::PolarGrid> NoiseGrid(int size) {
  std::mt19937_64 random(42);
  std::uniform_real_distribution<double> unit(0, 1);
  return SampledGrid(
      1, 2, [&](double, double, double) { return unit(random); }, size);
}

// The noise over a sector a thousandth of a radian wide, askew: the crossings
// lie nearly on one line, many to a cell of the search.
std::unique_ptr<orbisk::PolarGrid> StripGrid() {
  auto grid = NoiseGrid(256);
  grid->FiStart = std::numbers::pi_v<long double> / 4;
  grid->FiEnd = grid->FiStart + 1e-3L;
  grid->StepFi = (grid->FiEnd - grid->FiStart) / 255;
  return grid;
}

// Traces the grid with the program's pool (one thread per core) or the given
// one; timed by the wall clock (UseRealTime), as the pool's threads work
// beside the measured one.
void Trace(benchmark::State& state, const orbisk::PolarGrid& grid,
           orbisk::ThreadPool& pool = orbisk::SharedThreadPool()) {
  orbisk::ContourStore store;
  orbisk::SilentUi ui;
  std::int64_t points = 0;
  for (auto _ : state) {
    orbisk::ComputeContours(grid, 14, store, ui, 0, pool);
    points = 0;
    for (std::int32_t k = 0; k < store.LinesFi.Count(); ++k) points += store.LinesFi.Get(k)->Count();
  }
  state.counters["polylines"] = store.LinesFi.Count();
  state.counters["points"] = static_cast<double>(points);
  state.counters["threads"] = pool.Size();
}

orbisk::ThreadPool& OneThread() {
  static orbisk::ThreadPool pool(1);
  return pool;
}

void BM_TraceDefaultFormula(benchmark::State& state) {
  auto grid = SampledGrid(1, 2, [](double x, double, double r) { return r + std::sqrt((x - 1) * (x - 1)); });
  Trace(state, *grid);
}
BENCHMARK(BM_TraceDefaultFormula)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TraceTestFunction3d(benchmark::State& state) {
  auto grid = SampledGrid(
      0.5L, 1, [](double x, double y, double r) { return std::fabs(x - y + 5) + std::sqrt(r) - std::fabs(y - 7); });
  Trace(state, *grid);
}
BENCHMARK(BM_TraceTestFunction3d)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TraceNoise(benchmark::State& state) { Trace(state, *NoiseGrid(256)); }
BENCHMARK(BM_TraceNoise)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TraceStrip(benchmark::State& state) { Trace(state, *StripGrid()); }
BENCHMARK(BM_TraceStrip)->Unit(benchmark::kMillisecond)->UseRealTime();

// The noise over thin rings, the outer radius 1.05 and 1.001 (arguments 0
// and 1) against the inner 1: the crossings crowd along a circle.
void BM_TraceRing(benchmark::State& state) {
  const long double outer = state.range(0) == 0 ? 1.05L : 1.001L;
  std::mt19937_64 random(42);
  std::uniform_real_distribution<double> unit(0, 1);
  Trace(state, *SampledGrid(1, outer, [&](double, double, double) { return unit(random); }), OneThread());
}
BENCHMARK(BM_TraceRing)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same two on one thread.
void BM_TraceNoiseOneThread(benchmark::State& state) { Trace(state, *NoiseGrid(256), OneThread()); }
BENCHMARK(BM_TraceNoiseOneThread)->Unit(benchmark::kMillisecond)->UseRealTime();
void BM_TraceStripOneThread(benchmark::State& state) { Trace(state, *StripGrid(), OneThread()); }
BENCHMARK(BM_TraceStripOneThread)->Unit(benchmark::kMillisecond)->UseRealTime();

// The noise with R from = R to = 0: every crossing lies on the origin.
void BM_TraceOnePoint(benchmark::State& state) {
  std::mt19937_64 random(42);
  std::uniform_real_distribution<double> unit(0, 1);
  Trace(state, *SampledGrid(0, 0, [&](double, double, double) { return unit(random); }));
}
BENCHMARK(BM_TraceOnePoint)->Unit(benchmark::kMillisecond)->UseRealTime();

// A flat grid: every edge crosses every level at its first node, the most
// crossings a grid gives, two at each node; over radii 1..2 (argument 0), on
// one point (radii 0..0), on one circle (radii 1..1) and on one ray (no
// angular extent).
void BM_TraceFlat(benchmark::State& state) {
  const long double radii[][2] = {{1, 2}, {0, 0}, {1, 1}, {1, 2}};
  const auto domain = static_cast<std::size_t>(state.range(0));
  auto grid = SampledGrid(radii[domain][0], radii[domain][1], [](double, double, double) { return 1.0; });
  if (domain == 3) grid->FiEnd = grid->FiStart, grid->StepFi = 0;
  Trace(state, *grid);
}
BENCHMARK(BM_TraceFlat)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();

// The noise with radii from 1e301 to 2e301, near the top of double.
void BM_TraceHugeRadii(benchmark::State& state) {
  std::mt19937_64 random(42);
  std::uniform_real_distribution<double> unit(0, 1);
  Trace(state, *SampledGrid(1e301L, 2e301L, [&](double, double, double) { return unit(random); }));
}
BENCHMARK(BM_TraceHugeRadii)->Unit(benchmark::kMillisecond)->UseRealTime();

// The 14 levels of a grid chained by the given chaining.
template <typename Chain>
void TraceLevels(benchmark::State& state, Chain chain) {
  auto grid = NoiseGrid(64);
  orbisk::ContourStore store;
  for (auto _ : state) {
    store.ClearLines();
    for (long double level : orbisk::ContourLevels(grid->MinValue, grid->MaxValue, 14)) {
      orbisk::CrossingPool pool;
      std::int32_t stage = 0;
      orbisk::GatherCrossings(*grid, level, pool, stage);
      chain(pool, *grid, store);
    }
  }
  state.counters["polylines"] = store.LinesFi.Count();
}

void BM_ChainNoise64(benchmark::State& state) {
  TraceLevels(state, [](orbisk::CrossingPool& pool, const orbisk::PolarGrid& grid, orbisk::ContourStore& store) {
    orbisk::ChainCrossings(pool, grid, store);
  });
}
BENCHMARK(BM_ChainNoise64)->Unit(benchmark::kMillisecond);

void BM_ChainNoise64Literally(benchmark::State& state) {
  TraceLevels(state, [](orbisk::CrossingPool& pool, const orbisk::PolarGrid& grid, orbisk::ContourStore& store) {
    orbisk::ChainCrossingsLiterally(pool, grid, store);
  });
}
// Seconds per run: one is enough.
BENCHMARK(BM_ChainNoise64Literally)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(1);

}  // namespace

BENCHMARK_MAIN();
