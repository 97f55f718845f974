#include "polar_data/sampling.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <limits>
#include <numeric>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/checked_math.h"
#include "platform/error.h"

namespace orbisk {

namespace {

// The engine works on texts of at most 255 characters.
std::string_view Cut(const std::string& text) { return std::string_view(text).substr(0, 255); }

// Sets the default cursor on every way out of sampling.
class CursorGuard {
 public:
  explicit CursorGuard(Ui& ui) : ui_(ui) {
    ui_.ShowHourglass();
    ui_.ProcessPendingEvents();
  }
  ~CursorGuard() { ui_.RestoreCursor(); }
  CursorGuard(const CursorGuard&) = delete;
  CursorGuard& operator=(const CursorGuard&) = delete;

 private:
  Ui& ui_;
};

// The radius of every column, rounded to double.
std::vector<double> ColumnRadii(const PolarGrid& grid) {
  std::vector<double> radii(static_cast<std::size_t>(grid.NR));
  for (std::size_t j = 0; j < radii.size(); ++j) {
    radii[j] = static_cast<double>(static_cast<long double>(j) * grid.StepR + grid.RInt);
  }
  return radii;
}

// What one thread needs to sample rows: its own engine (a copy of the
// compiled one) and room for a row's points.
struct RowSampler {
  FormulaEngine engine;
  std::vector<double> x, y;
  std::vector<PointFailure> failures;
};

// Fills row i; returns the number of its points that failed.
std::size_t SampleRow(PolarGrid& grid, std::size_t i, const std::vector<double>& radii, RowSampler& sampler,
                      double errorValue) {
  const double fi = static_cast<double>(static_cast<long double>(i) * grid.StepFi + grid.FiStart);
  const long double cosFi = static_cast<double>(std::cos(static_cast<long double>(fi)));
  const long double sinFi = static_cast<double>(std::sin(static_cast<long double>(fi)));
  sampler.x.resize(radii.size());
  sampler.y.resize(radii.size());
  for (std::size_t j = 0; j < radii.size(); ++j) {
    // Each product in extended precision, then rounded to double.
    sampler.x[j] = static_cast<double>(radii[j] * cosFi);
    sampler.y[j] = static_cast<double>(radii[j] * sinFi);
  }
  const std::span<double> row(grid.Values[i].data(), radii.size());
  sampler.failures.clear();
  sampler.engine.EvalFormulaBlock(sampler.x, sampler.y, row, sampler.failures);
  for (const PointFailure& failure : sampler.failures) row[failure.index] = errorValue;
  return sampler.failures.size();
}

// Samples every row, the rows spread over the pool's threads, each thread
// with its own copy of the compiled engine; returns the failing points.
std::size_t SampleRows(PolarGrid& grid, const FormulaEngine& engine, double errorValue, ThreadPool& pool) {
  const std::vector<double> radii = ColumnRadii(grid);
  std::vector<RowSampler> samplers(pool.Size(), RowSampler{engine, {}, {}, {}});
  std::vector<std::size_t> failures(static_cast<std::size_t>(grid.NFi));
  pool.ParallelFor(failures.size(), [&](std::size_t i, unsigned worker) {
    failures[i] = SampleRow(grid, i, radii, samplers[worker], errorValue);
  });
  return std::accumulate(failures.begin(), failures.end(), std::size_t{0});
}

}  // namespace

void SampleFormula(const FunctionRecord& record, PolarGrid& grid, FormulaEngine& engine, Ui& ui, ThreadPool& pool) {
  CursorGuard cursor(ui);
  // Every constant text before the formula: they share the engine's value table.
  grid.FiStart = engine.EvalConstant(Cut(record.SFiStart));
  grid.FiEnd = engine.EvalConstant(Cut(record.SFiEnd));
  grid.RInt = engine.EvalConstant(Cut(record.SRInt));
  grid.RExt = engine.EvalConstant(Cut(record.SRExt));
  grid.NFi = RoundCount(engine.EvalConstant(Cut(record.SNFi)));
  grid.NR = RoundCount(engine.EvalConstant(Cut(record.SNR)));
  CheckGridCounts(grid);
  grid.StepR = GridStep(grid.RInt, grid.RExt, grid.NR);
  grid.StepFi = GridStep(grid.FiStart, grid.FiEnd, grid.NFi);
  engine.CompileFormula(Cut(record.SFCyl));

  const std::size_t failures = SampleRows(grid, engine, checked::ToDouble(record.ErrorValue), pool);
  if (failures > 0) {
    char text[40];
    std::snprintf(text, sizeof text, "%4zu count errors", failures);
    ui.ShowMessage(text);
  }
}

}  // namespace orbisk
