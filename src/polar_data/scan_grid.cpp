#include <cmath>
#include <limits>
#include <string>

#include "platform/error.h"
#include "polar_data/grid_counts.h"
#include "polar_data/sampling.h"

namespace orbisk {

namespace {

void CheckCount(const char* name, std::int32_t count) {
  if (count < kMinPoints || count > kMaxPoints) {
    throw InputError(std::string(name) + " = " + std::to_string(count) + " is out of range: it must be from " +
                     std::to_string(kMinPoints) + " to " + std::to_string(kMaxPoints));
  }
}

}  // namespace

void CheckGridCounts(const PolarGrid& grid) {
  CheckCount("NFi", grid.NFi);
  CheckCount("NR", grid.NR);
}

std::int32_t RoundCount(double value) {
  double rounded = std::nearbyint(value);
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() && rounded <= std::numeric_limits<std::int32_t>::max())) {
    throw MathError(MathErrorKind::InvalidOperation);
  }
  return static_cast<std::int32_t>(rounded);
}

long double GridStep(long double from, long double to, std::int32_t count) {
  long double step = (to - from) / (count - 1);
  if (!std::isfinite(step)) throw MathError(MathErrorKind::Overflow);
  return step;
}

void ScanGrid(PolarGrid& grid) {
  CheckGridCounts(grid);
  grid.MaxValue = grid.MinValue = grid.Values[0][0];
  grid.StepR = GridStep(grid.RInt, grid.RExt, grid.NR);
  grid.StepFi = GridStep(grid.FiStart, grid.FiEnd, grid.NFi);
  for (std::int32_t i = 0; i < grid.NFi; ++i) {
    const auto& row = grid.Values[static_cast<std::size_t>(i)];
    for (std::int32_t j = 0; j < grid.NR; ++j) {
      const double value = row[static_cast<std::size_t>(j)];
      if (value > grid.MaxValue) grid.MaxValue = value;
      if (value < grid.MinValue) grid.MinValue = value;
    }
  }
}

}  // namespace orbisk
