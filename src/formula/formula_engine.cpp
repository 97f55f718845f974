#include "formula/formula_engine.h"

#include <algorithm>
#include <cassert>
#include <cfenv>
#include <cmath>

#include "formula/compiler.h"
#include "formula/constant_folding.h"
#include "formula/evaluator.h"
#include "formula/formula_text.h"
#include "formula/number_extraction.h"
#include "formula/syntax_check.h"
#include "formula/text_preparation.h"

namespace orbisk {

using namespace formula;

FormulaEngine::FormulaEngine() : clock_(&TheSystemClock()) {
  program_[0] = kStopA;  // runnable, though nobody runs a program that was never compiled
}

void FormulaEngine::SetFault(std::uint8_t code, std::string message) {
  error_ = code;
  message_ = std::move(message);
}

bool FormulaEngine::Reduce(std::string_view text, std::string& working) {
  SetFault(0, {});
  blockCurrent_ = false;
  working.assign(text.substr(0, kMaxTextLength));
  PrepareText(working);
  FormulaFault fault = CheckSyntax(working);
  if (fault.code != 0) {
    SetFault(fault.code, std::move(fault.message));
    return false;
  }
  fault = ExtractNumbers(working, values_);
  if (fault.code != 0) SetFault(fault.code, std::move(fault.message));
  FoldConstants(working, values_, *clock_);
  return true;
}

double FormulaEngine::EvalConstant(std::string_view text) {
  std::string working;
  if (!Reduce(text, working)) return 0.0;
  if (working != ".") SetFault(1, InExpression().message);
  return values_.count > 0 ? values_[1] : 0.0;
}

void FormulaEngine::CompileFormula(std::string_view text) {
  std::string working;
  if (!Reduce(text, working)) return;
  const CompiledFormula compiled = CompileFoldedText(working, values_.count);
  program_ = compiled.program;
  highestVariable_ = compiled.highestVariable;
  if (compiled.error == 1) SetFault(1, InExpression().message);
  if (compiled.error == 8) SetFault(8, TooManyOperations().message);
}

double FormulaEngine::EvalFormula(double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) throw MathError(MathErrorKind::InvalidOperation);
  variables_[1] = x;
  variables_[2] = y;
  double result = RunProgram<FastSteps>(program_.data(), values_.values.data(), variables_.data(), *clock_);
  // The result must exist before the flags are read.
  asm volatile("" : "+m"(result) : : "memory");
  if (!FailureFlagRaised()) [[likely]]
    return result;
  return RerunChecked();
}

double FormulaEngine::RerunChecked() {
  // The flags may also come from the caller's own arithmetic; then the checked
  // run passes and gives the same result. Either way they end cleared.
  struct ClearFlags {
    ClearFlags() { feclearexcept(kFailureFlags); }
    ~ClearFlags() { feclearexcept(kFailureFlags); }
  } clear;
  return RunProgram<CheckedSteps>(program_.data(), values_.values.data(), variables_.data(), *clock_);
}

void FormulaEngine::EvalFormulaBlock(std::span<const double> x, std::span<const double> y, std::span<double> results,
                                     std::vector<PointFailure>& failures) {
  assert(x.size() == y.size() && x.size() == results.size());
  if (!blockCurrent_) {
    block_ = BlockProgram(program_.data(), values_.values.data());
    blockCurrent_ = true;
  }
  for (std::size_t start = 0; start < x.size(); start += kBlockPoints) {
    const std::size_t count = std::min(kBlockPoints, x.size() - start);
    EvalBlock(&x[start], &y[start], count, &results[start], start, failures);
  }
}

void FormulaEngine::EvalBlock(const double* x, const double* y, std::size_t count, double* results, std::size_t offset,
                              std::vector<PointFailure>& failures) {
  const bool finite = std::all_of(x, x + count, [](double v) { return std::isfinite(v); }) &&
                      std::all_of(y, y + count, [](double v) { return std::isfinite(v); });
  if (block_.Runnable() && finite) {
    feclearexcept(kFailureFlags);
    block_.Run(x, y, count, *clock_);
    if (!FailureFlagRaised()) [[likely]] {
      std::copy_n(block_.Results(), count, results);
      block_.StoreState(count - 1, values_.values.data(), variables_.data());
      return;
    }
    feclearexcept(kFailureFlags);
  }
  for (std::size_t k = 0; k < count; ++k) {
    try {
      results[k] = EvalFormula(x[k], y[k]);
    } catch (const MathError& error) {
      failures.push_back({offset + k, error.kind()});
    }
  }
}

}  // namespace orbisk
