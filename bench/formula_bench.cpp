// EvalFormula over the 65,536 points of a 256 x 256 polar grid (radius 1 to 2,
// angle 0 to 2 pi), for three formulas. Items are points: the reported
// time per item is the time per point.

#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

#include "formula/formula_engine.h"

namespace {

struct Point {
  double x, y;
};

std::vector<Point> PolarGridPoints() {
  const long double pi = 3.141592653589793238462643383279503L;
  std::vector<Point> points;
  points.reserve(256 * 256);
  for (int i = 0; i < 256; ++i) {
    const long double fi = i * (2 * pi / 255);
    for (int j = 0; j < 256; ++j) {
      const long double r = 1 + j * (1.0L / 255);
      points.push_back({static_cast<double>(r * cosl(fi)), static_cast<double>(r * sinl(fi))});
    }
  }
  return points;
}

void EvalOverGrid(benchmark::State& state, const char* formula) {
  const std::vector<Point> points = PolarGridPoints();
  orbisk::FormulaEngine engine;
  engine.CompileFormula(formula);
  if (engine.FormulaError() != 0) {
    state.SkipWithError(engine.FormulaMessage().c_str());
    return;
  }
  for (auto _ : state) {
    double sum = 0;
    for (const Point& p : points) sum += engine.EvalFormula(p.x, p.y);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(points.size()));
}

void BM_DefaultFormula(benchmark::State& state) { EvalOverGrid(state, "r+sqrt((x-1)*(x-1))"); }
void BM_TrigonometryAndPower(benchmark::State& state) { EvalOverGrid(state, "sin(x)*cos(y)+x^2/(1+r)"); }
void BM_LoneVariable(benchmark::State& state) { EvalOverGrid(state, "x"); }

BENCHMARK(BM_DefaultFormula)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrigonometryAndPower)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoneVariable)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
