#pragma once
// Turns a folded working text that still holds variable letters into the
// byte program that EvalFormula runs for every point.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace orbisk::formula {

// Instruction codes of the byte program (functions use 20 + table index).
enum Code : std::uint8_t {
  kLoadA = 1,          // k: A := value k
  kLoadB = 2,          // k: B := value k
  kStoreA = 3,         // k: value k := A
  kComputeR = 4,       // R := sqrt(X*X + Y*Y)
  kLoadVariableA = 5,  // v: A := variable v (1 X, 2 Y, 3 R)
  kLoadVariableB = 6,  // v: B := variable v
  kStopA = 7,          // result A
  kStopValue1 = 8,     // result value 1
  kAdd = 9,
  kMultiply = 10,
  kSubtract = 11,
  kDivide = 12,
  kPower = 13,
};

// Longest counted length of a program (its final stop code is not counted).
inline constexpr int kMaxCountedLength = 255;

using Program = std::array<std::uint8_t, 256>;

struct CompiledFormula {
  Program program{};
  int highestVariable = 0;  // 0 none, 1 X, 2 Y, 3 R
  std::uint8_t error = 0;   // 0, 1 (in expression) or 8 (too many operations)
};

// The program's bytes up to and including its first stop code (7 or 8),
// stepping over operand bytes.
std::vector<std::uint8_t> ListProgram(const Program& program);

// Index of the highest variable letter that stands alone in the text.
int HighestVariable(std::string_view text);

// Compiles the text left by FoldConstants; valueCount is the value count it
// left (the first intermediate is valueCount + 1). Never writes beyond the
// 256 bytes: a program whose counted length exceeds 255 is refused (error 8)
// and becomes the single stop code 7.
CompiledFormula CompileFoldedText(std::string_view text, int valueCount);

}  // namespace orbisk::formula
