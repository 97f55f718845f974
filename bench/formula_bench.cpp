// The formula engine over the 65,536 points of a 256 x 256 polar grid, for
// three formulas: by blocks of a grid row, as sampling runs it, and point by
// point through EvalFormula. BM_SineCosineFloor is what the hardware sine
// and cosine alone cost for the points of BM_TrigonometryAndPower. Items are
// points: the time per item is the time per point.

#include <benchmark/benchmark.h>
#include <span>
#include <vector>

#include "formula/formula_engine.h"
#include "polar_grid_points.h"

namespace {

using orbisk::bench::GridPoints;
using orbisk::bench::kGridSide;

const GridPoints& Points() {
  static const GridPoints points = orbisk::bench::PolarGridPoints();
  return points;
}

bool Compile(benchmark::State& state, orbisk::FormulaEngine& engine, const char* formula) {
  engine.CompileFormula(formula);
  if (engine.FormulaError() != 0) state.SkipWithError(engine.FormulaMessage().c_str());
  return engine.FormulaError() == 0;
}

void EvalByRows(benchmark::State& state, const char* formula) {
  const GridPoints& points = Points();
  orbisk::FormulaEngine engine;
  if (!Compile(state, engine, formula)) return;
  std::vector<double> results(points.x.size());
  std::vector<orbisk::PointFailure> failures;
  for (auto _ : state) {
    for (std::size_t row = 0; row < results.size(); row += kGridSide) {
      const auto x = std::span(points.x).subspan(row, kGridSide);
      const auto y = std::span(points.y).subspan(row, kGridSide);
      engine.EvalFormulaBlock(x, y, std::span(results).subspan(row, kGridSide), failures);
    }
    benchmark::DoNotOptimize(results.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(results.size()));
}

void EvalPointByPoint(benchmark::State& state, const char* formula) {
  const GridPoints& points = Points();
  orbisk::FormulaEngine engine;
  if (!Compile(state, engine, formula)) return;
  for (auto _ : state) {
    double sum = 0;
    for (std::size_t k = 0; k < points.x.size(); ++k) sum += engine.EvalFormula(points.x[k], points.y[k]);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(points.x.size()));
}

constexpr const char* kDefaultFormula = "r+sqrt((x-1)*(x-1))";
constexpr const char* kTrigonometryAndPower = "sin(x)*cos(y)+x^2/(1+r)";

void BM_DefaultFormula(benchmark::State& state) { EvalByRows(state, kDefaultFormula); }
void BM_TrigonometryAndPower(benchmark::State& state) { EvalByRows(state, kTrigonometryAndPower); }
void BM_LoneVariable(benchmark::State& state) { EvalByRows(state, "x"); }
void BM_DefaultFormulaPointByPoint(benchmark::State& state) { EvalPointByPoint(state, kDefaultFormula); }
void BM_TrigonometryAndPowerPointByPoint(benchmark::State& state) { EvalPointByPoint(state, kTrigonometryAndPower); }
void BM_LoneVariablePointByPoint(benchmark::State& state) { EvalPointByPoint(state, "x"); }

// sin x and cos y of every point by the x87 instructions the formula's SIN and
// COS use, each rounded to double: the part of BM_TrigonometryAndPower that
// the formula language demands.
void BM_SineCosineFloor(benchmark::State& state) {
  const GridPoints& points = Points();
  for (auto _ : state) {
    double sum = 0;
    for (std::size_t k = 0; k < points.x.size(); ++k) {
      long double sine = points.x[k];
      long double cosine = points.y[k];
      asm("fsin" : "+t"(sine));
      asm("fcos" : "+t"(cosine));
      sum += static_cast<double>(sine) + static_cast<double>(cosine);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(points.x.size()));
}

BENCHMARK(BM_DefaultFormula)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrigonometryAndPower)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoneVariable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SineCosineFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DefaultFormulaPointByPoint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrigonometryAndPowerPointByPoint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoneVariablePointByPoint)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
