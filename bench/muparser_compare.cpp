// The peer expression engine, muparser, on the points and formulas of
// formula_bench (with r written out as sqrt(x*x+y*y)): one Eval per point, as
// it is commonly used, and its bulk mode over a grid row. Built only where
// Debian's libmuparser-dev is installed; run with OMP_NUM_THREADS=1 to keep
// its bulk mode on one thread, as the formula benchmarks are.

#include <muParser.h>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

#include "polar_grid_points.h"

namespace {

using orbisk::bench::GridPoints;
using orbisk::bench::kGridSide;

const GridPoints& Points() {
  static const GridPoints points = orbisk::bench::PolarGridPoints();
  return points;
}

void EvalPerPoint(benchmark::State& state, const char* formula) {
  const GridPoints& points = Points();
  double x = 0, y = 0;
  mu::Parser parser;
  parser.DefineVar("x", &x);
  parser.DefineVar("y", &y);
  parser.SetExpr(formula);
  for (auto _ : state) {
    double sum = 0;
    for (std::size_t k = 0; k < points.x.size(); ++k) {
      x = points.x[k];
      y = points.y[k];
      sum += parser.Eval();
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(points.x.size()));
}

void EvalBulk(benchmark::State& state, const char* formula) {
  const GridPoints& points = Points();
  std::vector<double> x(kGridSide), y(kGridSide), results(kGridSide);
  mu::Parser parser;
  parser.DefineVar("x", x.data());
  parser.DefineVar("y", y.data());
  parser.SetExpr(formula);
  for (auto _ : state) {
    for (std::size_t row = 0; row < points.x.size(); row += kGridSide) {
      std::copy_n(&points.x[row], kGridSide, x.data());
      std::copy_n(&points.y[row], kGridSide, y.data());
      parser.Eval(results.data(), kGridSide);
    }
    benchmark::DoNotOptimize(results.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(points.x.size()));
}

constexpr const char* kDefaultFormula = "sqrt(x*x+y*y)+sqrt((x-1)*(x-1))";
constexpr const char* kTrigonometryAndPower = "sin(x)*cos(y)+x^2/(1+sqrt(x*x+y*y))";

void BM_MuparserDefaultFormula(benchmark::State& state) { EvalPerPoint(state, kDefaultFormula); }
void BM_MuparserTrigonometryAndPower(benchmark::State& state) { EvalPerPoint(state, kTrigonometryAndPower); }
void BM_MuparserLoneVariable(benchmark::State& state) { EvalPerPoint(state, "x"); }
void BM_MuparserBulkDefaultFormula(benchmark::State& state) { EvalBulk(state, kDefaultFormula); }
void BM_MuparserBulkTrigonometryAndPower(benchmark::State& state) { EvalBulk(state, kTrigonometryAndPower); }
void BM_MuparserBulkLoneVariable(benchmark::State& state) { EvalBulk(state, "x"); }

BENCHMARK(BM_MuparserDefaultFormula)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MuparserTrigonometryAndPower)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MuparserLoneVariable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MuparserBulkDefaultFormula)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MuparserBulkTrigonometryAndPower)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MuparserBulkLoneVariable)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
