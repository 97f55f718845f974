#include "app/level_texts.h"

#include <algorithm>
#include <charconv>

#include "contour/contour_levels.h"
#include "platform/error.h"
#include "polar_data/number_format.h"

namespace orbisk {

namespace {

// The digits that always read back as the same long double (64-bit
// significand).
constexpr int kMaxDigits = 21;

bool ReadsBackAs(const std::string& text, long double value) {
  long double back = 0;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), back);
  return failure == std::errc() && end == text.data() + text.size() && back == value;
}

}  // namespace

std::string LevelNumberText(long double value, char decimalSeparator) {
  std::string text;
  for (int digits = 1; digits <= kMaxDigits; ++digits) {
    text = FormatDigits(value, digits);
    if (ReadsBackAs(text, value)) break;
  }
  std::replace(text.begin(), text.end(), '.', decimalSeparator);
  return text;
}

std::string LevelListText(const std::vector<long double>& values, char decimalSeparator) {
  const char* join = decimalSeparator == ',' ? "; " : ", ";
  std::string text;
  for (std::size_t i = 0; i < values.size(); ++i) {
    text += (i == 0 ? "" : join) + LevelNumberText(values[i], decimalSeparator);
  }
  return text;
}

long double ParseLevelNumber(const std::string& text, char decimalSeparator, const char* invalidMessage) {
  std::vector<long double> values;
  try {
    values = ParseLevelList(text, decimalSeparator);
  } catch (const InputError&) {
  }
  if (values.size() != 1) throw InputError(FormatMessage(invalidMessage, text));
  return values.front();
}

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

}  // namespace orbisk
