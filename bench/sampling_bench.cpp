// SampleFormula of the default formula over the largest grid (256 x 256).

#include <benchmark/benchmark.h>

#include <memory>

#include "formula/formula_engine.h"
#include "polar_data/function_record.h"
#include "polar_data/sampling.h"

namespace {

// A Ui that does nothing, so only sampling is measured.
class SilentUi : public orbisk::Ui {
 public:
  void ShowHourglass() override {}
  void RestoreCursor() override {}
  void ProcessPendingEvents() override {}
  void ShowMessage(const std::string&) override {}
  void ShowError(const std::string&) override {}
  void ShowInformation(const std::string&, const std::string&) override {}
  std::optional<std::string> RunFileDialog(orbisk::FileDialogKind, const std::string&) override {
    return std::nullopt;
  }
  void ShowHelp(const std::string&) override {}
};

void BM_SampleDefaultFormula256(benchmark::State& state) {
  orbisk::FunctionRecord record;
  record.SNFi = "256";
  record.SNR = "256";
  auto grid = std::make_unique<orbisk::PolarGrid>();
  orbisk::FormulaEngine engine;
  SilentUi ui;
  for (auto _ : state) {
    orbisk::SampleFormula(record, *grid, engine, ui);
    benchmark::DoNotOptimize(grid->Values[255][255]);
  }
  state.SetItemsProcessed(state.iterations() * 256 * 256);
}
BENCHMARK(BM_SampleDefaultFormula256)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
