#include "formula/compiler.h"

#include <string>
#include <vector>

#include "formula/formula_text.h"
#include "formula/function_library.h"
#include "formula/neighbour_rules.h"
#include "formula/value_table.h"

namespace orbisk::formula {
namespace {

constexpr std::string_view kVariableLetters = "XYR";

int VariableIndex(char c) {
  const auto at = kVariableLetters.find(c);
  return c == '\0' || at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

// Appends instruction groups to the program while they fit the counted
// length, and counts on after that so the refusal can be reported.
class ProgramWriter {
 public:
  explicit ProgramWriter(Program& program) : program_(program) {}

  void Write(std::initializer_list<std::uint8_t> bytes, int counted) {
    counted_ += counted;
    if (counted_ > kMaxCountedLength) return;  // refused as a whole later
    if (static_cast<std::size_t>(size_) + bytes.size() > program_.size()) {
      Refuse();
      return;
    }
    for (std::uint8_t byte : bytes) program_[static_cast<std::size_t>(size_++)] = byte;
  }
  void Refuse() { counted_ = kMaxCountedLength + 1; }
  bool Refused() const { return counted_ > kMaxCountedLength; }

 private:
  Program& program_;
  int size_ = 0;
  int counted_ = 0;
};

// The working text of the compiler: every "." and "#" carries its value
// index, which travels with it when the text is rewritten.
class Compiler {
 public:
  Compiler(std::string_view text, int valueCount, int highest, ProgramWriter& writer)
      : text_(text), slots_(text.size(), 0), nextValue_(valueCount + 1), highest_(highest), writer_(writer) {
    int k = 0;
    for (std::size_t i = 0; i < text_.size(); ++i) {
      if (text_[i] == '.') slots_[i] = ++k;
    }
  }

  const std::string& Text() const { return text_; }

  // Runs cycles until one rewrites nothing.
  void Run() {
    for (;;) {
      bool changed = UnwrapOperands();
      changed |= CallFunctions();
      changed |= EmitPowers();
      changed |= EmitPairs("*/");
      changed |= EmitPairs("+-");
      if (!changed) return;
    }
  }

  // The active variable that the text consists of, 0 otherwise.
  int LoneVariable() const { return text_.size() == 1 ? ActiveVariable(text_[0]) : 0; }

 private:
  int ActiveVariable(char c) const {
    const int v = VariableIndex(c);
    return v <= highest_ ? v : 0;
  }
  int Slot(int position) const { return slots_[static_cast<std::size_t>(position) - 1]; }
  bool StartsOperand(int at) const { return at == 1 || IsOpening(At(text_, at - 1)); }

  // Replaces `length` characters from position at by symbol carrying slot.
  void Replace(int at, int length, char symbol, int slot) {
    const auto from = static_cast<std::size_t>(at) - 1;
    ReplaceBy(text_, at, length, symbol);
    slots_.erase(slots_.begin() + static_cast<std::ptrdiff_t>(from) + 1,
                 slots_.begin() + static_cast<std::ptrdiff_t>(from) + length);
    slots_[from] = slot;
  }

  // The next free value index for an intermediate.
  int NextValue() {
    if (nextValue_ > kMaxValueIndex) writer_.Refuse();  // no operand byte can name it
    return nextValue_++;
  }

  // The operand symbols in the order the cycles try them.
  std::string Symbols(bool withMarks) const {
    std::string symbols = "#";
    for (int v = 1; v <= highest_; ++v) symbols += kVariableLetters[static_cast<std::size_t>(v) - 1];
    if (withMarks) symbols += '.';
    return symbols;
  }

  // C1: "(s)" -> s for each operand symbol, while the first occurrence stands alone.
  bool UnwrapOperands() {
    bool changed = false;
    for (char symbol : Symbols(true)) {
      const std::string pattern{'(', symbol, ')'};
      for (int at = Find(text_, pattern); at != 0 && StartsOperand(at); at = Find(text_, pattern)) {
        Replace(at, 3, symbol, Slot(at + 1));
        changed = true;
      }
    }
    return changed;
  }

  // C2: "NAME(s)" -> "#" with a function call group, for "#" and each active variable.
  bool CallFunctions() {
    bool changed = false;
    for (char symbol : Symbols(false)) {
      for (bool emitted = true; emitted;) {
        emitted = false;
        for (int index = 0; index < kFunctionCount; ++index) {
          const std::string name(kFunctionNames[static_cast<std::size_t>(index)]);
          const std::string pattern = name + '(' + symbol + ')';
          const int at = Find(text_, pattern);
          if (at == 0 || !StartsOperand(at)) continue;
          const int operand = at + Length(name) + 1;
          const bool isValue = symbol == '#';
          const int t = NextValue();
          writer_.Write({isValue ? kLoadA : kLoadVariableA,
                         static_cast<std::uint8_t>(isValue ? Slot(operand) : VariableIndex(symbol)),
                         static_cast<std::uint8_t>(kFirstFunctionCode + index), kStoreA, static_cast<std::uint8_t>(t)},
                        5);
          Replace(at, Length(pattern), '#', t);
          emitted = changed = true;
        }
      }
    }
    return changed;
  }

  // C3: the last "^" first, when its neighbours let it stand alone.
  bool EmitPowers() {
    bool changed = false;
    for (;;) {
      const auto found = text_.rfind('^');
      const int length = Length(text_);
      if (found == std::string::npos) break;
      const int p = static_cast<int>(found) + 1;
      if (p == 1 || p == length) break;
      if (length == 3) {
        changed |= EmitPair(p, '^');
        break;
      }
      const bool alone = (p == 2 && IsOneOf(At(text_, 4), ")*+-/")) ||
                         (p == length - 1 && IsOpening(At(text_, p - 2))) ||
                         (2 < p && p < length - 1 && IsOpening(At(text_, p - 2)) && IsOneOf(At(text_, p + 2), ")*+-/"));
      if (!alone || !EmitPair(p, '^')) break;
      changed = true;
    }
    return changed;
  }

  // C4 and C5: a left-to-right scan over the operators of the pair.
  bool EmitPairs(std::string_view ops) {
    bool changed = false;
    for (int start = 1;;) {
      int p = start;
      while (p <= Length(text_) && !IsOneOf(At(text_, p), ops)) ++p;
      if (p > Length(text_)) break;
      const char before = p > 2 ? At(text_, p - 2) : '\0';
      const char after = p + 1 >= Length(text_) ? '\0' : At(text_, p + 2);
      const char op = PairOperator(before, At(text_, p), after);
      if (op != '\0' && EmitPair(p, op)) {
        changed = true;
        start = p;  // the text has changed under the scan
      } else {
        start = p + 1;
      }
    }
    return changed;
  }

  // Emits "left op right" at operator position p as an operator group and
  // replaces it by "#"; emits nothing unless both operands are values or
  // active variables.
  bool EmitPair(int p, char op) {
    const char left = At(text_, p - 1);
    const char right = At(text_, p + 1);
    const bool leftValue = left == '.' || left == '#';
    const bool rightValue = right == '.' || right == '#';
    if ((!leftValue && ActiveVariable(left) == 0) || (!rightValue && ActiveVariable(right) == 0)) return false;
    const auto leftOperand = static_cast<std::uint8_t>(leftValue ? Slot(p - 1) : ActiveVariable(left));
    const auto rightOperand = static_cast<std::uint8_t>(rightValue ? Slot(p + 1) : ActiveVariable(right));
    const int t = NextValue();
    writer_.Write({leftValue ? kLoadA : kLoadVariableA, leftOperand, rightValue ? kLoadB : kLoadVariableB, rightOperand,
                   OperatorCode(op), kStoreA, static_cast<std::uint8_t>(t)},
                  7);
    Replace(p - 1, 3, '#', t);
    return true;
  }

  static std::uint8_t OperatorCode(char op) {
    switch (op) {
      case '+':
        return kAdd;
      case '*':
        return kMultiply;
      case '-':
        return kSubtract;
      case '/':
        return kDivide;
      default:
        return kPower;
    }
  }

  std::string text_;
  std::vector<int> slots_;
  int nextValue_;
  int highest_;
  ProgramWriter& writer_;
};

bool StandsAlone(std::string_view text, int i) {
  const int length = Length(text);
  if (length == 1) return true;
  if (i == 1) return IsOneOf(At(text, 2), "*+-/^");
  if (i == length) return IsOneOf(At(text, length - 1), "*+-/^");
  return IsOpening(At(text, i - 1)) && IsClosing(At(text, i + 1));
}

}  // namespace

std::vector<std::uint8_t> ListProgram(const Program& program) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i < program.size(); ++i) {
    const std::uint8_t code = program[i];
    bytes.push_back(code);
    if (code == kStopA || code == kStopValue1) break;
    const bool hasOperand =
        code == kLoadA || code == kLoadB || code == kStoreA || code == kLoadVariableA || code == kLoadVariableB;
    if (hasOperand && i + 1 < program.size()) bytes.push_back(program[++i]);
  }
  return bytes;
}

int HighestVariable(std::string_view text) {
  int highest = 0;
  for (int v = 1; v <= 3; ++v) {
    const char letter = kVariableLetters[static_cast<std::size_t>(v) - 1];
    for (int i = 1; i <= Length(text); ++i) {
      if (At(text, i) == letter && StandsAlone(text, i)) {
        highest = v;
        break;
      }
    }
  }
  return highest;
}

CompiledFormula CompileFoldedText(std::string_view text, int valueCount) {
  CompiledFormula result;
  result.highestVariable = HighestVariable(text);
  if (result.highestVariable == 0) {
    result.program[0] = kStopValue1;
    if (text != ".") result.error = 1;
    return result;
  }
  ProgramWriter writer(result.program);
  if (result.highestVariable == 3) writer.Write({kComputeR}, 1);
  Compiler compiler(text, valueCount, result.highestVariable, writer);
  if (const int v = compiler.LoneVariable(); v == 0) {
    compiler.Run();
    if (const int w = compiler.LoneVariable(); w != 0) writer.Write({kLoadVariableA, static_cast<std::uint8_t>(w)}, 0);
  } else {
    writer.Write({kLoadVariableA, static_cast<std::uint8_t>(v)}, 0);
  }
  writer.Write({kStopA}, 0);
  const std::string& rest = compiler.Text();
  if (!(rest.size() == 1 && IsOneOf(rest[0], ".#XYR"))) result.error = 1;
  if (writer.Refused()) {
    result.program.fill(0);
    result.program[0] = kStopA;
    result.error = 8;
  }
  return result;
}

}  // namespace orbisk::formula
