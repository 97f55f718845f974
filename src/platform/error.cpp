#include "platform/error.h"

namespace orbisk {

MathError::MathError(MathErrorKind kind) : Error(MessageFor(kind)), kind_(kind) {}

const char* MathError::MessageFor(MathErrorKind kind) {
  switch (kind) {
    case MathErrorKind::InvalidOperation:
      return "Invalid floating point operation";
    case MathErrorKind::DivisionByZero:
      return "Floating point division by zero";
    case MathErrorKind::Overflow:
      return "Floating point overflow";
  }
  return "Invalid floating point operation";
}

namespace {

std::string ReplaceFirst(const std::string& pattern, const std::string& placeholder, const std::string& text) {
  std::string::size_type at = pattern.find(placeholder);
  if (at == std::string::npos) return pattern;
  return pattern.substr(0, at) + text + pattern.substr(at + placeholder.size());
}

}  // namespace

std::string FormatMessage(const std::string& pattern, const std::string& text) {
  return ReplaceFirst(pattern, "%s", text);
}

std::string FormatMessage(const std::string& pattern, long long value) {
  return ReplaceFirst(pattern, "%d", std::to_string(value));
}

}  // namespace orbisk
