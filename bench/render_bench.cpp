// DrawPicture of the default map (the default formula on a 256 x 256 grid, 14
// levels) onto the Qt picture bitmap, at 500 x 500 and 2000 x 2000 pixels:
// plain, with colours, legend and values on the lines, and written as SVG
// and PDF; and of the 612,000 points of a 256 x 256 grid of uniform noise,
// as the window redraws it.

#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <numbers>
#include <random>

#include "contour/compute_contours.h"
#include "contour/draw_picture.h"
#include "formula/formula_engine.h"
#include "platform/silent_ui.h"
#include "polar_data/function_record.h"
#include "polar_data/sampling.h"
#include "qt/qt_bitmap.h"

namespace orbisk {
namespace {

struct DefaultMap {
  std::unique_ptr<PolarGrid> grid = std::make_unique<PolarGrid>();
  ContourStore store;
  std::int64_t points = 0;

  DefaultMap() {
    FunctionRecord record;
    record.SNFi = "256";
    record.SNR = "256";
    FormulaEngine engine;
    SilentUi ui;
    SampleFormula(record, *grid, engine, ui);
    ScanGrid(*grid);
    ComputeContours(*grid, 14, store, ui);
    for (std::int32_t k = 0; k < store.LinesR.Count(); ++k) {
      if (const TListExt* r = store.LinesR.Get(k)) points += r->Count();
    }
  }
};

const DefaultMap& Map() {
  static const DefaultMap map;
  return map;
}

// Uniform noise over radii 1 to 2, traced at 14 levels.
struct NoiseMap {
  std::unique_ptr<PolarGrid> grid = std::make_unique<PolarGrid>();
  ContourStore store;

  NoiseMap() {
    grid->NFi = grid->NR = 256;
    grid->FiEnd = 2 * std::numbers::pi_v<long double>;
    grid->RInt = 1;
    grid->RExt = 2;
    grid->StepFi = grid->FiEnd / 255;
    grid->StepR = 1.0L / 255;
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 256; ++i)
      std::generate_n(grid->Values[std::size_t(i)].begin(), 256, [&] { return unit(random); });
    ScanGrid(*grid);
    SilentUi ui;
    ComputeContours(*grid, 14, store, ui);
  }
};

void BM_DrawNoiseMap(benchmark::State& state) {
  static const NoiseMap map;
  QtBitmap bitmap(500, 500);
  for (auto _ : state) {
    DrawPicture(*map.grid, map.store, PlotSettings{}, FontSpec{}, bitmap.GetCanvas(), 500, 500, '.');
    benchmark::DoNotOptimize(bitmap.Image().constBits());
  }
}
BENCHMARK(BM_DrawNoiseMap)->Unit(benchmark::kMillisecond);

void BM_DrawDefaultMap(benchmark::State& state) {
  const DefaultMap& map = Map();
  const int side = static_cast<int>(state.range(0));
  QtBitmap bitmap(side, side);
  PlotSettings settings;
  FontSpec font;
  for (auto _ : state) {
    DrawPicture(*map.grid, map.store, settings, font, bitmap.GetCanvas(), side, side, '.');
    benchmark::DoNotOptimize(bitmap.Image().constBits());  // finishes the painting
  }
  state.counters["polylines"] = map.store.LinesR.Count();
  state.counters["points"] = static_cast<double>(map.points);
}
BENCHMARK(BM_DrawDefaultMap)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);

void BM_DrawDefaultMapWithLevelDisplay(benchmark::State& state) {
  const DefaultMap& map = Map();
  const int side = static_cast<int>(state.range(0));
  QtBitmap bitmap(side, side);
  const LevelDisplay display{true, true, true, ".4g"};
  for (auto _ : state) {
    DrawPicture(*map.grid, map.store, PlotSettings{}, FontSpec{}, bitmap.GetCanvas(), side, side, '.', display);
    benchmark::DoNotOptimize(bitmap.Image().constBits());
  }
}
BENCHMARK(BM_DrawDefaultMapWithLevelDisplay)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);

// state.range(0): 0 SVG, 1 PDF, of the 500 x 500 default map.
void BM_EncodeVectorPicture(benchmark::State& state) {
  const DefaultMap& map = Map();
  QtBitmap bitmap(500, 500);
  DrawPicture(*map.grid, map.store, PlotSettings{}, FontSpec{}, bitmap.GetCanvas(), 500, 500, '.');
  std::size_t bytes = 0;
  for (auto _ : state) bytes = (state.range(0) == 0 ? bitmap.SvgBytes() : bitmap.PdfBytes()).size();
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_EncodeVectorPicture)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orbisk
