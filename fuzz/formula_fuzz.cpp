// Formula and field texts: any bytes go through CompileFormula, EvalFormula at
// a few points, and EvalConstant. Only MathError may escape the engine, the
// error state must be one of the documented codes, and no NaN or infinity may
// come out.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

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
  static orbisk::FormulaEngine engine;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  bool compiled = false;
  try {
    engine.CompileFormula(text);
    compiled = engine.FormulaError() == 0;
  } catch (const orbisk::MathError&) {
  }
  CheckState(engine);
  if (compiled) {
    for (const auto& p : kPoints) {
      try {
        if (!std::isfinite(engine.EvalFormula(p[0], p[1]))) __builtin_trap();
      } catch (const orbisk::MathError&) {
      }
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
