#include "polar_data/number_format.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "platform/extended_encoding.h"
#include "polar_data/powers.h"

namespace orbisk {

namespace {

// A finite, non-zero value rounded to `digits` significant decimal digits,
// half to even as printf rounds: |value| ~ significand * 10^(exponent -
// digits + 1), the significand of exactly `digits` digits.
struct RoundedDecimal {
  bool negative;
  unsigned __int128 significand;
  int exponent;  // of the first digit
};

constexpr int kMostFastDigits = 21;

unsigned __int128 PowerOfTen(int n) { return kPowersOfTen[static_cast<std::size_t>(n)]; }

// The value's `digits` leading decimal digits when its first digit is at
// 10^exponent, and whether the rest is more than, exactly or less than half
// of the last digit: value * 10^p = m * 5^p * 2^(q + p), with value =
// m * 2^q, computed exactly in 128 bits. Empty when that does not fit.
struct Scaled {
  unsigned __int128 leading, rest, half;
};
std::optional<Scaled> ScaleToDigits(std::uint64_t m, int q, int digits, int exponent) {
  const int p = digits - 1 - exponent;
  const int shift = -(q + p);
  if (p < 0 || p > kMostPowerOfFive || shift <= 0 || shift >= 128) return std::nullopt;
  const unsigned __int128 scaled = static_cast<unsigned __int128>(m) * kPowersOfFive[static_cast<std::size_t>(p)];
  const unsigned __int128 one = 1;
  return Scaled{scaled >> shift, scaled & ((one << shift) - 1), one << (shift - 1)};
}

// The value rounded exactly, without printf, for the magnitudes data files
// hold (about 1e-7 to 1e18 for 21 digits); empty for others, and for zero,
// infinities, NaNs and the encodings that are not normal numbers.
std::optional<RoundedDecimal> RoundDecimal(long double value, int digits) {
  if (digits < 1 || digits > kMostFastDigits) return std::nullopt;
  const int field = ExponentFieldOf(&value);
  const std::uint64_t m = SignificandOf(&value);
  if (field == 0 || field == kNotFinite || (m >> 63) == 0) return std::nullopt;
  const int binaryExponent = field - kExponentBias;  // 2^e <= |value| < 2^(e + 1)
  if (binaryExponent < -1000 || binaryExponent > 1000) return std::nullopt;
  // floor(e log10 2): the first digit is at this power of ten or the next.
  int exponent = (binaryExponent * 78913) >> 18;
  const int q = binaryExponent - 63;
  std::optional<Scaled> scaled = ScaleToDigits(m, q, digits, exponent);
  if (scaled && scaled->leading >= PowerOfTen(digits)) scaled = ScaleToDigits(m, q, digits, ++exponent);
  if (!scaled || scaled->leading < PowerOfTen(digits - 1) || scaled->leading >= PowerOfTen(digits)) {
    return std::nullopt;
  }
  unsigned __int128 significand = scaled->leading;
  if (scaled->rest > scaled->half || (scaled->rest == scaled->half && (significand & 1) != 0)) ++significand;
  if (significand == PowerOfTen(digits)) {
    significand = PowerOfTen(digits - 1);
    ++exponent;
  }
  return RoundedDecimal{std::signbit(value), significand, exponent};
}

// Writes the last `count` decimal digits of part ending just before *end,
// two at a time, and moves *end back over them.
void WriteLastDigits(std::uint64_t part, int count, char*& end) {
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  for (; count >= 2; count -= 2, part /= 100) {
    end -= 2;
    std::memcpy(end, kPairs + 2 * (part % 100), 2);
  }
  if (count > 0) *--end = static_cast<char>('0' + part % 10);
}

// The significand's `digits` digits into text, 64 bits at a time (the
// significand is below 10^21, its part above 10^19 below 100).
void WriteDigits(const RoundedDecimal& d, int digits, char* text) {
  constexpr std::uint64_t kTen19 = 10000000000000000000u;
  char* end = text + digits;
  if (d.significand < kTen19) return WriteLastDigits(static_cast<std::uint64_t>(d.significand), digits, end);
  WriteLastDigits(static_cast<std::uint64_t>(d.significand % kTen19), 19, end);
  WriteLastDigits(static_cast<std::uint64_t>(d.significand / kTen19), digits - 19, end);
}

struct Decimal {
  bool negative = false;
  std::string digits;  // 15 significant digits
  int exponent = 0;    // of the first digit
};

// The value rounded to 15 significant digits (directly where RoundDecimal
// can, else by snprintf, which rounds correctly). Only the digits and the
// exponent are taken, so the locale's decimal separator never reaches a file.
Decimal RoundTo15(long double value) {
  if (const std::optional<RoundedDecimal> rounded = RoundDecimal(value, 15)) {
    Decimal d{rounded->negative, std::string(15, '0'), rounded->exponent};
    WriteDigits(*rounded, 15, d.digits.data());
    return d;
  }
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

// %g's text of a rounded value: plain for exponents -4 to digits - 1, else
// d.ddde+XX; no trailing zeros, no point without a fraction.
void AppendGeneral(std::string& out, const RoundedDecimal& d, int digits) {
  char text[kMostFastDigits];
  WriteDigits(d, digits, text);
  int used = digits;
  while (used > 1 && text[used - 1] == '0') --used;
  // Put together here and appended at once: "-0.000" and 21 digits, or 21
  // digits, a point and "e-308", are the longest texts.
  char line[40];
  char* at = line;
  auto put = [&at](const char* from, int count) {
    std::memcpy(at, from, static_cast<std::size_t>(count));
    at += count;
  };
  if (d.negative) *at++ = '-';
  const int x = d.exponent;
  if (x < -4 || x >= digits) {
    *at++ = text[0];
    if (used > 1) *at++ = '.', put(text + 1, used - 1);
    // At least two digits; below 1000, as RoundDecimal takes no more.
    const int magnitude = std::abs(x);
    put(x < 0 ? "e-" : "e+", 2);
    if (magnitude >= 100) *at++ = static_cast<char>('0' + magnitude / 100);
    *at++ = static_cast<char>('0' + magnitude / 10 % 10);
    *at++ = static_cast<char>('0' + magnitude % 10);
  } else if (x >= 0) {
    const int whole = x + 1;
    put(text, std::min(used, whole));
    for (int k = used; k < whole; ++k) *at++ = '0';
    if (used > whole) *at++ = '.', put(text + whole, used - whole);
  } else {
    put("0.0000", 1 - x);  // "0." and -x - 1 zeros
    put(text, used);
  }
  out.append(line, static_cast<std::size_t>(at - line));
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
  std::string text;
  AppendDigits(text, value, digits);
  return text;
}

void AppendDigits(std::string& out, long double value, int digits) {
  std::optional<RoundedDecimal> decimal = RoundDecimal(value, digits);
  if (decimal) return AppendGeneral(out, *decimal, digits);
  char text[64];
  std::snprintf(text, sizeof text, "%.*Lg", digits, value);
  const std::size_t start = out.size();
  out += text;
  std::replace(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), ',', '.');
}

}  // namespace orbisk
