#pragma once
// The formula engine: one object with its own state (value table, compiled
// program, error state). It is not re-entrant: no entry operation may start
// while another runs on the same object. The program owns one instance on the
// user-interface thread; sampling gives each of its threads a copy of it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formula/block_program.h"
#include "formula/value_table.h"
#include "platform/clock.h"
#include "platform/error.h"

namespace orbisk {

// A point of a block where evaluating the formula failed, and how.
struct PointFailure {
  std::size_t index;
  MathErrorKind kind;
  bool operator==(const PointFailure&) const = default;
};

class FormulaEngine {
 public:
  FormulaEngine();

  // Value of a text without variables ("2*pi"). Afterwards FormulaError() is
  // 0 on success; otherwise the returned value has no meaning. A failing
  // computation raises MathError. Texts are cut to 255 characters.
  double EvalConstant(std::string_view text);

  // Compiles F(x,y,r) into the byte program. Test FormulaError() afterwards;
  // a failing constant sub-expression raises MathError.
  void CompileFormula(std::string_view text);

  // Runs the compiled program at (x, y). Raises MathError when a step fails
  // (InvalidOperation also for a non-finite x or y); never returns NaN or
  // infinity. Allocates nothing.
  double EvalFormula(double x, double y);

  // EvalFormula at every point (x[k], y[k]), into results[k]: the very values
  // and failures that calling it point after point gives. A failing point
  // keeps its old results[k] and is appended to failures with the kind of
  // MathError EvalFormula raises there, in point order. The points run in
  // blocks of up to 256: one dispatch per instruction group per block, and
  // only a block whose floating-point flags show a failure runs again point
  // by point. The three spans have one length. Allocates nothing per point.
  void EvalFormulaBlock(std::span<const double> x, std::span<const double> y, std::span<double> results,
                        std::vector<PointFailure>& failures);

  // Error state of the last text operation: 0 = no fault, 1..9 otherwise.
  std::uint8_t FormulaError() const { return error_; }
  const std::string& FormulaMessage() const { return message_; }

  // The compiled program (256 bytes), the value table and the highest
  // variable (0 none, 1 X, 2 Y, 3 R), for inspection and tests.
  const std::array<std::uint8_t, 256>& Program() const { return program_; }
  int ValueCount() const { return values_.count; }
  double Value(int k) const { return values_[k]; }  // k from 1
  int HighestVariable() const { return highestVariable_; }

  // The clock RND reads; the system clock unless a test sets another. The
  // clock must outlive the engine, and copies of the engine share it.
  void SetClock(Clock& clock) { clock_ = &clock; }

 private:
  // Prepares, checks and folds text; false when the syntax check failed.
  bool Reduce(std::string_view text, std::string& working);
  void SetFault(std::uint8_t code, std::string message);
  // Runs the program again with every step checked, after a fast run raised a flag.
  double RerunChecked();
  // One block of at most 256 points; offset is the index of its first point.
  void EvalBlock(const double* x, const double* y, std::size_t count, double* results, std::size_t offset,
                 std::vector<PointFailure>& failures);

  std::array<std::uint8_t, 256> program_{};
  formula::ValueTable values_;
  std::array<double, 256> variables_{};  // [1] X, [2] Y, [3] R; room for any operand byte
  int highestVariable_ = 0;
  std::uint8_t error_ = 0;
  std::string message_;
  Clock* clock_;
  formula::BlockProgram block_;  // the program translated for blocks, once it is needed
  bool blockCurrent_ = false;    // false after every text operation
};

}  // namespace orbisk
