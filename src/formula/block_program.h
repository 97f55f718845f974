#pragma once
// A compiled byte program translated to run over a block of points at once:
// each step carries one instruction group of the program over every point of
// the block, so a block costs one dispatch per group rather than one per point
// and group, and its floating-point flags can be read once.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/clock.h"

namespace orbisk::formula {

// Most points of one block: a grid row.
inline constexpr std::size_t kBlockPoints = 256;

class BlockProgram {
 public:
  BlockProgram() = default;
  // Translates program for the value table it was compiled with (both as the
  // engine holds them). A program that carries a value from one point to the
  // next (reads an intermediate, or R, before it writes it), or has no stop
  // code, cannot run by blocks: Runnable() is then false.
  BlockProgram(const std::uint8_t* program, const double* values);

  bool Runnable() const { return runnable_; }

  // Computes the program at the points (x[k], y[k]), k < count <= kBlockPoints,
  // with the same steps as a fast run point by point: a failing point leaves
  // its floating-point flag raised and an undefined value.
  void Run(const double* x, const double* y, std::size_t count, Clock& clock);
  // The values of the last run, one per point.
  const double* Results() const { return Lane(result_); }

  // Writes the intermediates and X, Y, R of point `point` of the last run into
  // the engine's value table and variables, as a run at that point leaves them.
  void StoreState(std::size_t point, double* values, double* variables) const;

  // What a step does: code is the operator or function code of the program.
  enum class Kind : std::uint8_t { kRadius, kOperator, kFunction, kCopy };
  struct Step {
    Kind kind;
    std::uint8_t code;
    std::uint16_t left, right, target;  // lanes
  };

 private:
  friend class Translator;
  double* Lane(std::uint16_t lane) { return &lanes_[lane * kBlockPoints]; }
  const double* Lane(std::uint16_t lane) const { return &lanes_[lane * kBlockPoints]; }
  void RunStep(const Step& step, std::size_t count, Clock& clock);
  static void RunOperator(std::uint8_t code, const double* left, const double* right, double* target,
                          std::size_t count);

  bool runnable_ = false;
  bool writesR_ = false;
  std::vector<Step> steps_;
  std::vector<double> lanes_;  // kBlockPoints values per lane
  std::uint16_t result_ = 0;
  std::vector<std::pair<std::uint8_t, std::uint16_t>> slotLanes_;  // intermediate value index -> lane
};

}  // namespace orbisk::formula
