#include "polar_data/domain_validation.h"

#include <cstdint>
#include <string_view>

#include "polar_data/grid_counts.h"
#include "polar_data/polar_grid.h"

namespace orbisk {

namespace {

// Evaluates one field; on an engine fault sets message to the field's prefix
// followed directly by the engine's text.
bool EvalField(FormulaEngine& engine, const std::string& text, const char* prefix, double& value,
               std::optional<std::string>& message) {
  value = engine.EvalConstant(std::string_view(text).substr(0, 255));
  if (engine.FormulaError() == 0) return true;
  message = std::string(prefix) + engine.FormulaMessage();
  return false;
}

bool InRange(std::int32_t count) { return count >= kMinPoints && count <= kMaxPoints; }

}  // namespace

std::optional<std::string> ValidateFunctionDomain(const FunctionRecord& texts, FormulaEngine& engine) {
  std::optional<std::string> message;
  double fiFrom = 0, fiTo = 0, rFrom = 0, rTo = 0, nFi = 0, nR = 0;

  if (!EvalField(engine, texts.SFiStart, "Field Fi from error:", fiFrom, message)) return message;
  if (!EvalField(engine, texts.SFiEnd, "Field Fi to error:", fiTo, message)) return message;
  if (fiFrom == fiTo) return "Must be Fi to > Fi from";
  if (!EvalField(engine, texts.SRInt, "Field R from error:", rFrom, message)) return message;
  if (!EvalField(engine, texts.SRExt, "Field R to error:", rTo, message)) return message;
  if (rFrom > rTo || !(rFrom >= 0)) return "Must be R from >0,R from < R to";
  if (!EvalField(engine, texts.SNFi, "Field per Fi error:", nFi, message)) return message;
  if (!InRange(RoundCount(nFi))) return "Must be NFi from 2 to 256";
  if (!EvalField(engine, texts.SNR, "Field per R error:", nR, message)) return message;
  if (!InRange(RoundCount(nR))) return "Must be NR from 2 to 256";

  engine.CompileFormula(std::string_view(texts.SFCyl).substr(0, 255));
  if (engine.FormulaError() != 0) return "Field F(x,y,r) error:" + engine.FormulaMessage();
  return std::nullopt;
}

}  // namespace orbisk
