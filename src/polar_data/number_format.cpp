#include "polar_data/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace orbisk {

namespace {

struct Decimal {
  bool negative = false;
  std::string digits;  // 15 significant digits
  int exponent = 0;    // of the first digit
};

// The value rounded to 15 significant digits (snprintf rounds correctly). Only
// the digits and the exponent are taken, so the locale's decimal separator
// never reaches a file.
Decimal RoundTo15(long double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.14Le", value);
  Decimal d;
  const char* p = text;
  if (*p == '-') {
    d.negative = true;
    ++p;
  }
  for (; *p != '\0' && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') d.digits.push_back(*p);
  }
  if (*p == 'e') d.exponent = std::atoi(p + 1);
  return d;
}

// Text of a value that is no number; the readers refuse it, so no grid holds
// one, but a writer must not fail on it.
std::string NonFinite(long double value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

}  // namespace

std::string FormatGeneral(long double value) {
  if (value == 0) return "0";
  if (!std::isfinite(value)) return NonFinite(value);
  Decimal d = RoundTo15(value);
  std::string digits = d.digits;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = d.negative ? "-" : "";
  if (d.exponent >= -4 && d.exponent < 15) {
    if (d.exponent < 0) {
      out.append("0.").append(static_cast<std::size_t>(-d.exponent - 1), '0').append(digits);
    } else {
      auto whole = static_cast<std::size_t>(d.exponent) + 1;
      if (digits.size() <= whole) {
        out += digits + std::string(whole - digits.size(), '0');
      } else {
        out += digits.substr(0, whole) + "." + digits.substr(whole);
      }
    }
    return out;
  }
  out += digits.substr(0, 1);
  if (digits.size() > 1) out.append(".").append(digits, 1);
  return out + "E" + std::to_string(d.exponent);
}

std::string FormatScientificField(long double value) {
  if (!std::isfinite(value)) return NonFinite(value);
  Decimal d = RoundTo15(value);
  char exponent[16];
  std::snprintf(exponent, sizeof exponent, "%c%04d", d.exponent < 0 ? '-' : '+',
                d.exponent < 0 ? -d.exponent : d.exponent);
  return std::string(value < 0 ? "-" : " ") + d.digits.substr(0, 1) + "." + d.digits.substr(1) + "E" + exponent;
}

std::string FormatDigits(long double value, int digits) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*Lg", digits, value);
  std::string s = text;
  std::replace(s.begin(), s.end(), ',', '.');
  return s;
}

}  // namespace orbisk
