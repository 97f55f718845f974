#include "formula/block_program.h"

#include <algorithm>
#include <array>
#include <cassert>

#include "formula/arithmetic_steps.h"
#include "formula/compiler.h"
#include "formula/function_library.h"
#include "formula/power.h"

namespace orbisk::formula {
namespace {

// Lanes every block program has; the registers A and B own a lane each for
// the values that live nowhere else.
enum FixedLane : std::uint16_t { kZeroLane, kXLane, kYLane, kRLane, kALane, kBLane, kFixedLanes };

constexpr std::size_t kProgramBytes = 256;
constexpr std::uint8_t kSineCode = kFirstFunctionCode + 0;
constexpr std::uint8_t kCosineCode = kFirstFunctionCode + 1;
constexpr std::uint8_t kSquareRootCode = kFirstFunctionCode + 5;

bool HasOperand(std::uint8_t code) {
  return code == kLoadA || code == kLoadB || code == kStoreA || code == kLoadVariableA || code == kLoadVariableB;
}
std::size_t InstructionLength(std::uint8_t code) { return HasOperand(code) ? 2 : 1; }
bool IsOperator(std::uint8_t code) { return code >= kAdd && code <= kPower; }
bool IsFunction(std::uint8_t code) { return code >= kFirstFunctionCode && code < kFirstFunctionCode + kFunctionCount; }

}  // namespace

// Walks the program once, instruction by instruction, keeping for A and B the
// lane that holds their value for every point: loads only rename, and an
// operation writes straight into the slot that the next instruction stores it
// in, so a compiler's group becomes a single step.
class Translator {
 public:
  Translator(BlockProgram& block, const std::uint8_t* program, const double* values)
      : block_(block), program_(program), values_(values) {
    lanes_.fill(-1);
  }

  bool Translate() {
    if (!FindStores()) return false;
    for (std::size_t pc = 0; pc < kProgramBytes;) {
      const std::uint8_t code = program_[pc];
      const std::uint8_t operand = HasOperand(code) ? program_[pc + 1] : 0;
      if (code == kStopA || code == kStopValue1) {
        block_.result_ = code == kStopA ? a_ : ReadSlot(1);
        Allocate();
        return !stale_;
      }
      if (IsOperator(code) || IsFunction(code)) {
        pc = Operate(code, pc + 1);
        continue;
      }
      if (code == kLoadA) a_ = ReadSlot(operand);
      if (code == kLoadB) b_ = ReadSlot(operand);
      if (code == kLoadVariableA) a_ = ReadVariable(operand);
      if (code == kLoadVariableB) b_ = ReadVariable(operand);
      if (code == kStoreA) Store(operand);
      if (code == kComputeR) {
        Keep(kRLane);
        block_.steps_.push_back({BlockProgram::Kind::kRadius, code, kXLane, kYLane, kRLane});
        writesR_ = true;
      }
      pc += InstructionLength(code);
    }
    return false;
  }

  bool WritesR() const { return writesR_; }

 private:
  // Marks the slots the program stores into; false when it has no stop code.
  bool FindStores() {
    for (std::size_t pc = 0; pc < kProgramBytes;) {
      const std::uint8_t code = program_[pc];
      if (code == kStopA || code == kStopValue1) return true;
      if (HasOperand(code) && pc + 1 >= kProgramBytes) return false;
      if (code == kStoreA) stored_[program_[pc + 1]] = true;
      pc += InstructionLength(code);
    }
    return false;
  }

  std::uint16_t NewLane() { return laneCount_++; }

  // The lane of value k as read now: a constant lane for a value the program
  // never writes, the slot's lane once the program has written it.
  std::uint16_t ReadSlot(std::uint8_t k) {
    if (stored_[k]) {
      if (!written_[k]) stale_ = true;  // the previous point's intermediate
      return SlotLane(k);
    }
    if (lanes_[k] < 0) {
      lanes_[k] = NewLane();
      constants_.push_back({static_cast<std::uint16_t>(lanes_[k]), values_[k]});
    }
    return static_cast<std::uint16_t>(lanes_[k]);
  }

  std::uint16_t SlotLane(std::uint8_t k) {
    if (lanes_[k] < 0) {
      lanes_[k] = NewLane();
      block_.slotLanes_.push_back({k, static_cast<std::uint16_t>(lanes_[k])});
    }
    return static_cast<std::uint16_t>(lanes_[k]);
  }

  std::uint16_t ReadVariable(std::uint8_t v) {
    if (v == 1) return kXLane;
    if (v == 2) return kYLane;
    if (v != 3) return kZeroLane;  // the other variables are never written: 0
    if (!writesR_) stale_ = true;
    return kRLane;
  }

  // Before lane is overwritten, a register that still reads it gets its own copy.
  void Keep(std::uint16_t lane, bool keepA = true) {
    if (keepA && a_ == lane) {
      block_.steps_.push_back({BlockProgram::Kind::kCopy, 0, lane, kZeroLane, kALane});
      a_ = kALane;
    }
    if (b_ == lane && lane != kBLane) {
      block_.steps_.push_back({BlockProgram::Kind::kCopy, 0, lane, kZeroLane, kBLane});
      b_ = kBLane;
    }
  }

  void Store(std::uint8_t k) {
    const std::uint16_t lane = SlotLane(k);
    written_[k] = true;
    if (a_ == lane) return;
    Keep(lane);
    block_.steps_.push_back({BlockProgram::Kind::kCopy, 0, a_, kZeroLane, lane});
    a_ = lane;
  }

  // A := A op B or A := f(A); returns where the program goes on.
  std::size_t Operate(std::uint8_t code, std::size_t next) {
    std::uint16_t target = kALane;
    if (next + 1 < kProgramBytes && program_[next] == kStoreA) {
      target = SlotLane(program_[next + 1]);
      written_[program_[next + 1]] = true;
      next += 2;
    }
    Keep(target, false);  // A is replaced by the result anyway
    const auto kind = IsOperator(code) ? BlockProgram::Kind::kOperator : BlockProgram::Kind::kFunction;
    block_.steps_.push_back({kind, code, a_, b_, target});
    a_ = target;
    return next;
  }

  void Allocate() {
    block_.lanes_.assign(static_cast<std::size_t>(laneCount_) * kBlockPoints, 0.0);
    for (const auto& [lane, value] : constants_) std::fill_n(block_.Lane(lane), kBlockPoints, value);
  }

  BlockProgram& block_;
  const std::uint8_t* program_;
  const double* values_;
  std::array<std::int32_t, 256> lanes_{};  // lane of each value index, -1 none yet
  std::array<bool, 256> stored_{};
  std::array<bool, 256> written_{};
  std::vector<std::pair<std::uint16_t, double>> constants_;
  std::uint16_t laneCount_ = kFixedLanes;
  std::uint16_t a_ = kZeroLane;  // a run starts with A = B = 0
  std::uint16_t b_ = kZeroLane;
  bool writesR_ = false;
  bool stale_ = false;
};

BlockProgram::BlockProgram(const std::uint8_t* program, const double* values) {
  Translator translator(*this, program, values);
  runnable_ = translator.Translate();
  writesR_ = translator.WritesR();
}

void BlockProgram::Run(const double* x, const double* y, std::size_t count, Clock& clock) {
  assert(runnable_ && count <= kBlockPoints);
  std::copy_n(x, count, Lane(kXLane));
  std::copy_n(y, count, Lane(kYLane));
  for (const Step& step : steps_) RunStep(step, count, clock);
}

void BlockProgram::RunStep(const Step& step, std::size_t count, Clock& clock) {
  using S = FastSteps;
  const double* left = Lane(step.left);
  const double* right = Lane(step.right);
  double* target = Lane(step.target);
  switch (step.kind) {
    case Kind::kRadius:
      for (std::size_t i = 0; i < count; ++i) {
        const Extended x = left[i];
        const Extended y = right[i];
        target[i] = S::Round(S::Sqrt(S::Add(S::Mul(x, x), S::Mul(y, y))));
      }
      return;
    case Kind::kOperator:
      RunOperator(step.code, left, right, target, count);
      return;
    case Kind::kFunction:
      // The commonest functions without a call per point.
      if (step.code == kSquareRootCode) {
        for (std::size_t i = 0; i < count; ++i) target[i] = S::Round(S::Sqrt(left[i]));
        return;
      }
      if (step.code == kSineCode) {
        for (std::size_t i = 0; i < count; ++i) target[i] = S::Round(SinX(left[i]));
        return;
      }
      if (step.code == kCosineCode) {
        for (std::size_t i = 0; i < count; ++i) target[i] = S::Round(CosX(left[i]));
        return;
      }
      for (std::size_t i = 0; i < count; ++i)
        target[i] = kFastFunctions[step.code - kFirstFunctionCode](left[i], clock);
      return;
    case Kind::kCopy:
      std::copy_n(left, count, target);
      return;
  }
}

void BlockProgram::RunOperator(std::uint8_t code, const double* left, const double* right, double* target,
                               std::size_t count) {
  using S = FastSteps;
  switch (code) {
    case kAdd:
      for (std::size_t i = 0; i < count; ++i) target[i] = S::Round(S::Add(left[i], right[i]));
      return;
    case kSubtract:
      for (std::size_t i = 0; i < count; ++i) target[i] = S::Round(S::Sub(left[i], right[i]));
      return;
    case kMultiply:
      for (std::size_t i = 0; i < count; ++i) target[i] = S::Round(S::Mul(left[i], right[i]));
      return;
    case kDivide:
      for (std::size_t i = 0; i < count; ++i) target[i] = S::Round(S::Div(left[i], right[i]));
      return;
    default:
      if (right[0] == 2 && std::all_of(right, right + count, [](double e) { return e == 2; })) {
        // The commonest power, with its exponent known to the inline shortcuts.
        for (std::size_t i = 0; i < count; ++i) target[i] = Power<S>(left[i], 2.0);
        return;
      }
      for (std::size_t i = 0; i < count; ++i) target[i] = Power<S>(left[i], right[i]);
      return;
  }
}

void BlockProgram::StoreState(std::size_t point, double* values, double* variables) const {
  for (const auto& [slot, lane] : slotLanes_) values[slot] = Lane(lane)[point];
  variables[1] = Lane(kXLane)[point];
  variables[2] = Lane(kYLane)[point];
  if (writesR_) variables[3] = Lane(kRLane)[point];
}

}  // namespace orbisk::formula
