// Formula and field texts: any bytes go through CompileFormula, EvalFormula at
// a few points (and EvalFormulaBlock over them, which must agree to the bit),
// and EvalConstant. Only MathError may escape the engine, the error state must
// be one of the documented codes, and no NaN or infinity may come out.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <string_view>
#include <vector>

#include "formula/fixed_clock.h"
#include "formula/formula_engine.h"
#include "platform/error.h"

namespace {

constexpr double kPoints[][2] = {
    {0, 0}, {1, -2}, {0.5, 3}, {-1e300, 1e300}, {4.9e-324, -0.0}, {1e-160, 1e160},
};

void CheckState(const orbisk::FormulaEngine& engine) {
  if (engine.FormulaError() > 9 || engine.FormulaMessage().size() > 80) __builtin_trap();
  if ((engine.FormulaError() == 0) != engine.FormulaMessage().empty()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A clock that stands still: RND must give the same value point by point
  // and by blocks.
  static orbisk::testing::FixedClock clock(43210987);
  static orbisk::FormulaEngine engine = [] {
    orbisk::FormulaEngine made;
    made.SetClock(clock);
    return made;
  }();
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  bool compiled = false;
  try {
    engine.CompileFormula(text);
    compiled = engine.FormulaError() == 0;
  } catch (const orbisk::MathError&) {
  }
  CheckState(engine);
  if (compiled) {
    std::vector<double> x, y, values, blockValues(std::size(kPoints), 0.0);
    std::vector<orbisk::PointFailure> failures, blockFailures;
    for (const auto& p : kPoints) {
      x.push_back(p[0]);
      y.push_back(p[1]);
      try {
        values.push_back(engine.EvalFormula(p[0], p[1]));
        if (!std::isfinite(values.back())) __builtin_trap();
      } catch (const orbisk::MathError& error) {
        values.push_back(0.0);
        failures.push_back({x.size() - 1, error.kind()});
      }
    }
    engine.EvalFormulaBlock(x, y, blockValues, blockFailures);
    if (blockFailures != failures || std::memcmp(values.data(), blockValues.data(), sizeof(double) * x.size()) != 0) {
      __builtin_trap();
    }
  }

  try {
    double value = engine.EvalConstant(text);
    if (engine.FormulaError() == 0 && !std::isfinite(value)) __builtin_trap();
  } catch (const orbisk::MathError&) {
  }
  CheckState(engine);
  return 0;
}
