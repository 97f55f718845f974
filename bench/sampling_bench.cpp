// SampleFormula of the default formula over the largest grid (256 x 256).

#include <benchmark/benchmark.h>
#include <memory>

#include "formula/formula_engine.h"
#include "platform/silent_ui.h"
#include "polar_data/function_record.h"
#include "polar_data/sampling.h"

namespace {

void BM_SampleDefaultFormula256(benchmark::State& state) {
  orbisk::FunctionRecord record;
  record.SNFi = "256";
  record.SNR = "256";
  auto grid = std::make_unique<orbisk::PolarGrid>();
  orbisk::FormulaEngine engine;
  orbisk::SilentUi ui;
  for (auto _ : state) {
    orbisk::SampleFormula(record, *grid, engine, ui);
    benchmark::DoNotOptimize(grid->Values[255][255]);
  }
  state.SetItemsProcessed(state.iterations() * 256 * 256);
}
BENCHMARK(BM_SampleDefaultFormula256)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
