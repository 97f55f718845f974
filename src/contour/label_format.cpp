#include "contour/label_format.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

#include "platform/error.h"

namespace orbisk {

namespace {

// Width and precision beyond this are refused, so that no format can make the
// label allocate without bound.
constexpr int kMaxFieldDigits = 3;  // up to 999

struct Directive {
  bool leftJustify = false;
  int width = 0;
  std::optional<int> precision;
  char conversion = 'g';  // 'e', 'f' or 'g', lower case
};

[[noreturn]] void ThrowInvalid(const std::string& format) {
  throw InputError(FormatMessage("Format '%s' invalid or incompatible with argument", format));
}

// Reads up to kMaxFieldDigits decimal digits at pos; nullopt when there are none.
// More digits make the format invalid.
std::optional<int> ReadNumber(const std::string& format, std::size_t& pos) {
  int value = 0;
  int digits = 0;
  while (pos < format.size() && format[pos] >= '0' && format[pos] <= '9') {
    if (++digits > kMaxFieldDigits) ThrowInvalid(format);
    value = value * 10 + (format[pos] - '0');
    ++pos;
  }
  if (digits == 0) return std::nullopt;
  return value;
}

// Parses the directive whose "%" is at format[pos - 1]; leaves pos after it.
Directive ParseDirective(const std::string& format, std::size_t& pos) {
  Directive d;
  if (pos < format.size() && format[pos] == '-') {
    d.leftJustify = true;
    ++pos;
  }
  d.width = ReadNumber(format, pos).value_or(0);
  if (pos < format.size() && format[pos] == '.') {
    ++pos;
    d.precision = ReadNumber(format, pos).value_or(0);
  }
  if (pos >= format.size()) ThrowInvalid(format);
  char c = format[pos];
  if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (c != 'e' && c != 'f' && c != 'g') ThrowInvalid(format);
  d.conversion = c;
  ++pos;
  return d;
}

// The number as the directive asks, locale-independent, with decimalSeparator.
std::string FormatNumber(const Directive& d, long double value, char decimalSeparator) {
  std::chars_format style = d.conversion == 'e'   ? std::chars_format::scientific
                            : d.conversion == 'f' ? std::chars_format::fixed
                                                  : std::chars_format::general;
  // Fixed notation of the largest long double has ~4933 integer digits.
  std::vector<char> buffer(6000 + 2 * 999);
  auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, style, d.precision.value_or(6));
  if (ec != std::errc()) throw InputError("Label number too long");
  std::string text(buffer.data(), end);
  for (char& ch : text) {
    if (ch == '.') ch = decimalSeparator;
  }
  if (static_cast<int>(text.size()) < d.width) {
    std::string pad(static_cast<std::size_t>(d.width) - text.size(), ' ');
    text = d.leftJustify ? text + pad : pad + text;
  }
  return text;
}

}  // namespace

std::string FormatLabelNumber(const std::string& body, long double value, char decimalSeparator) {
  const std::string format = "%" + body;
  std::string out;
  bool used = false;
  std::size_t pos = 0;
  while (pos < format.size()) {
    char c = format[pos++];
    if (c != '%') {
      out += c;
      continue;
    }
    if (pos < format.size() && format[pos] == '%') {
      out += '%';
      ++pos;
      continue;
    }
    Directive d = ParseDirective(format, pos);
    if (used) throw InputError(FormatMessage("No argument for format '%s'", format));
    used = true;
    out += FormatNumber(d, value, decimalSeparator);
  }
  return out;
}

}  // namespace orbisk
