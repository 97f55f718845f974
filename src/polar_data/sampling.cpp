#include "polar_data/sampling.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <limits>
#include <string>
#include <string_view>

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

}  // namespace

void SampleFormula(const FunctionRecord& record, PolarGrid& grid, FormulaEngine& engine, Ui& ui) {
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

  const double errorValue = checked::ToDouble(record.ErrorValue);
  int failures = 0;
  for (std::int32_t i = 0; i < grid.NFi; ++i) {
    const double fi = static_cast<double>(i * grid.StepFi + grid.FiStart);
    const double cosFi = static_cast<double>(std::cos(static_cast<long double>(fi)));
    const double sinFi = static_cast<double>(std::sin(static_cast<long double>(fi)));
    auto& row = grid.Values[static_cast<std::size_t>(i)];
    for (std::int32_t j = 0; j < grid.NR; ++j) {
      const double r = static_cast<double>(j * grid.StepR + grid.RInt);
      const double x = r * cosFi;
      const double y = r * sinFi;
      double& cell = row[static_cast<std::size_t>(j)];
      try {
        cell = engine.EvalFormula(x, y);
      } catch (const std::exception&) {
        cell = errorValue;
        ++failures;
      }
    }
  }

  if (failures > 0) {
    char text[40];
    std::snprintf(text, sizeof text, "%4d count errors", failures);
    ui.ShowMessage(text);
  }
}

}  // namespace orbisk
