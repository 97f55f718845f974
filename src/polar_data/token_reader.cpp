#include "polar_data/token_reader.h"

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/error.h"
#include "polar_data/decimal_parsing.h"

namespace orbisk {

namespace {

constexpr std::size_t kIntegerTokenLimit = 32;
constexpr std::size_t kRealTokenLimit = 64;
constexpr char kEndMark = 26;

bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= 32; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "+"/"-", then decimal digits or "$" and up to 8 hexadecimal digits (taken as
// the 32 bits of the value). False for anything else or a decimal overflow.
bool ParseInteger(std::string_view t, std::int32_t& out) {
  bool negative = false;
  if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
    negative = t[0] == '-';
    t.remove_prefix(1);
  }
  if (t.empty()) return false;
  long long value = 0;
  if (t[0] == '$') {
    t.remove_prefix(1);
    if (t.empty() || t.size() > 8) return false;
    unsigned long bits = 0;
    for (char c : t) {
      int d = HexDigit(c);
      if (d < 0) return false;
      bits = bits * 16 + static_cast<unsigned long>(d);
    }
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
  } else {
    for (char c : t) {
      if (!IsDigit(c)) return false;
      value = value * 10 + (c - '0');
      if (value > 2147483648LL) return false;
    }
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return false;
  out = static_cast<std::int32_t>(value);
  return true;
}

// Sign, digits with an optional "." and fraction (at least one digit), an
// optional exponent with digits. Only the shape is checked here.
bool IsRealToken(std::string_view t) {
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < t.size() && IsDigit(t[i])) ++i, ++digits;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && IsDigit(t[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    std::size_t expDigits = 0;
    while (i < t.size() && IsDigit(t[i])) ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  return i == t.size();
}

// Converts a checked real token with "." as the separator, whatever the
// process locale. False when it overflows the extended range.
bool ConvertReal(std::string_view t, long double& out) {
  if (const std::optional<long double> quick = ParseDecimal(t)) {
    out = *quick;
    return true;
  }
  static locale_t cLocale = ::newlocale(LC_ALL_MASK, "C", nullptr);
  std::string text(t);
  errno = 0;
  long double value = ::strtold_l(text.c_str(), nullptr, cLocale);
  if (std::isinf(value)) return false;
  out = value;  // an underflow gives a denormal or 0, which is fine
  return true;
}

}  // namespace

TokenReader::TokenReader(std::string_view bytes) : bytes_(bytes) {
  std::size_t mark = bytes.find(kEndMark);
  end_ = mark == std::string_view::npos ? bytes.size() : mark;
}

std::string_view TokenReader::NextToken(std::size_t limit) {
  while (pos_ < end_ && IsSeparator(bytes_[pos_])) ++pos_;
  std::size_t start = pos_;
  while (pos_ < end_ && pos_ - start < limit && !IsSeparator(bytes_[pos_])) ++pos_;
  return bytes_.substr(start, pos_ - start);
}

std::int32_t TokenReader::ReadInteger() {
  if (failed_) return 0;
  std::string_view token = NextToken(kIntegerTokenLimit);
  if (token.empty()) return 0;
  std::int32_t value = 0;
  if (!ParseInteger(token, value)) {
    failed_ = true;
    return 0;
  }
  return value;
}

long double TokenReader::ReadReal() {
  if (failed_) return 0;
  std::string_view token = NextToken(kRealTokenLimit);
  if (token.empty()) return 0;
  long double value = 0;
  if (!IsRealToken(token) || !ConvertReal(token, value)) {
    failed_ = true;
    return 0;
  }
  return value;
}

void TokenReader::Check() const {
  if (failed_) throw InputError("Invalid numeric input");
}

}  // namespace orbisk
