// ComputeContours with 14 levels on three 256 x 256 grids: the default formula,
// the 3d test function and uniform noise.

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <random>

#include "platform/silent_ui.h"
#include "contour/compute_contours.h"
#include "polar_data/sampling.h"

namespace {

constexpr int kSize = 256;
constexpr long double kTwoPi = 2 * std::numbers::pi_v<long double>;

// A 256 x 256 grid over angles 0..2pi and the given radii, each value f(x, y, r)
// computed in double as sampling rounds its inputs, then scanned.
template <typename F>
std::unique_ptr<orbisk::PolarGrid> SampledGrid(long double rInt, long double rExt, F f) {
  auto grid = std::make_unique<orbisk::PolarGrid>();
  grid->NFi = grid->NR = kSize;
  grid->FiStart = 0;
  grid->FiEnd = kTwoPi;
  grid->RInt = rInt;
  grid->RExt = rExt;
  grid->StepFi = (grid->FiEnd - grid->FiStart) / (kSize - 1);
  grid->StepR = (rExt - rInt) / (kSize - 1);
  for (int i = 0; i < kSize; ++i) {
    const auto fi = static_cast<double>(i * grid->StepFi + grid->FiStart);
    const double c = std::cos(fi), s = std::sin(fi);
    for (int j = 0; j < kSize; ++j) {
      const auto r = static_cast<double>(j * grid->StepR + grid->RInt);
      grid->Values[i][j] = f(r * c, r * s, r);
    }
  }
  orbisk::ScanGrid(*grid);
  return grid;
}

void Trace(benchmark::State& state, const orbisk::PolarGrid& grid) {
  orbisk::ContourStore store;
  orbisk::SilentUi ui;
  std::int32_t dataKind = 0;
  std::int64_t points = 0;
  for (auto _ : state) {
    orbisk::ComputeContours(grid, 14, store, dataKind, ui);
    points = 0;
    for (std::int32_t k = 0; k < store.LinesFi.Count(); ++k) points += store.LinesFi.Get(k)->Count();
  }
  state.counters["polylines"] = store.LinesFi.Count();
  state.counters["points"] = static_cast<double>(points);
}

void BM_TraceDefaultFormula(benchmark::State& state) {
  auto grid = SampledGrid(1, 2, [](double x, double, double r) { return r + std::sqrt((x - 1) * (x - 1)); });
  Trace(state, *grid);
}
BENCHMARK(BM_TraceDefaultFormula)->Unit(benchmark::kMillisecond);

void BM_TraceTestFunction3d(benchmark::State& state) {
  auto grid = SampledGrid(0.5L, 1, [](double x, double y, double r) {
    return std::fabs(x - y + 5) + std::sqrt(r) - std::fabs(y - 7);
  });
  Trace(state, *grid);
}
BENCHMARK(BM_TraceTestFunction3d)->Unit(benchmark::kMillisecond);

void BM_TraceNoise(benchmark::State& state) {
  std::mt19937_64 random(42);
  std::uniform_real_distribution<double> unit(0, 1);
  auto grid = SampledGrid(1, 2, [&](double, double, double) { return unit(random); });
  Trace(state, *grid);
}
BENCHMARK(BM_TraceNoise)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
