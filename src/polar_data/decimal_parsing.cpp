#include "polar_data/decimal_parsing.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "platform/extended_encoding.h"
#include "polar_data/powers.h"

namespace orbisk {

namespace {

using u128 = unsigned __int128;

constexpr int kMostDigits = kMostPowerOfTen;
constexpr int kDigitsPerWord = 19;      // 10^19 < 2^64
constexpr int kLargestExponent = 1000;  // far beyond either table of powers, and no overflow while reading

int BitLength(u128 n) {
  const auto high = static_cast<std::uint64_t>(n >> 64);
  if (high != 0) return 128 - __builtin_clzll(high);
  const auto low = static_cast<std::uint64_t>(n);
  return low == 0 ? 0 : 64 - __builtin_clzll(low);
}

// m * 2^exponent for a significand m with its top bit set, put together
// from its fields (exact, and cheaper than ldexp): normal for every value
// this conversion gives.
long double FromFields(std::uint64_t m, int exponent) {
  const auto field = static_cast<std::uint16_t>(exponent + 63 + kExponentBias);
  long double value = 0;
  std::memcpy(&value, &m, sizeof m);
  std::memcpy(reinterpret_cast<char*>(&value) + sizeof m, &field, sizeof field);
  return value;
}

// (n + f) * 2^exponent, where n > 0 and f is 0 or (when `inexact`) lies
// strictly between 0 and 1, rounded to a 64-bit significand, ties to even.
// n has at least 65 bits when inexact, so that f only breaks ties.
long double RoundToExtended(u128 n, int exponent, bool inexact) {
  int shift = BitLength(n) - 64;
  if (shift <= 0) return FromFields(static_cast<std::uint64_t>(n) << -shift, exponent + shift);
  auto significand = static_cast<std::uint64_t>(n >> shift);
  const u128 rest = n & ((u128{1} << shift) - 1), half = u128{1} << (shift - 1);
  if (rest > half || (rest == half && (inexact || (significand & 1) != 0))) {
    if (++significand == 0) significand = std::uint64_t{1} << 63, ++shift;
  }
  return FromFields(significand, exponent + shift);
}

// Whether the x87 unit, which strtold's rounding follows, rounds to nearest.
bool RoundsToNearest() {
  std::uint16_t control = 0;
  asm("fnstcw %0" : "=m"(control));
  return (control & 0xC00) == 0;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value of n <= 19 decimal digits, eight at a time: the digits of a
// 64-bit word are paired, the pairs paired, and those two halves joined.
std::uint64_t DigitsValue(const char* text, std::size_t n) {
  std::uint64_t value = 0;
  for (; n >= 8; n -= 8, text += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, text, sizeof word);  // the first digit lowest
    word -= 0x3030303030303030;
    word = word * 10 + (word >> 8);
    word = (((word & 0x000000FF000000FF) * (100 + (1000000ULL << 32))) +
            (((word >> 16) & 0x000000FF000000FF) * (1 + (10000ULL << 32)))) >>
           32;
    value = value * 100000000 + word;
  }
  for (; n > 0; --n) value = value * 10 + static_cast<std::uint64_t>(*text++ - '0');
  return value;
}

// n / d, and whether it leaves a remainder, by two hardware divisions (the
// second divides the first's remainder and the low word, below d * 2^64).
u128 Divide(u128 n, std::uint64_t d, bool& inexact) {
  const auto high = static_cast<std::uint64_t>(n >> 64);
  std::uint64_t low = static_cast<std::uint64_t>(n), rest = high % d;
  asm("divq %[d]" : "+a"(low), "+d"(rest) : [d] "rm"(d) : "cc");
  inexact = rest != 0;
  return (u128{high / d} << 64) | low;
}

// A plain decimal token read: (-1)^negative * digits * 10^power.
struct Decimal {
  bool negative = false;
  u128 digits = 0;
  int power = 0;
};

// The significant digits of the whole part and the fraction of t from i on,
// and how many decimals the fraction has; i moves past them. Empty when
// there is no digit, more than kMostDigits significant ones or more than
// kLargestExponent decimals.
std::optional<Decimal> ReadDigits(std::string_view t, std::size_t& i) {
  const std::size_t wholeStart = i;
  while (i < t.size() && IsDigit(t[i])) ++i;
  std::string_view whole = t.substr(wholeStart, i - wholeStart), fraction;
  if (i < t.size() && t[i] == '.') {
    const std::size_t fractionStart = ++i;
    while (i < t.size() && IsDigit(t[i])) ++i;
    fraction = t.substr(fractionStart, i - fractionStart);
  }
  // A fraction longer than the exponent may offset is left to strtold.
  if ((whole.empty() && fraction.empty()) || fraction.size() > std::size_t{kLargestExponent}) return std::nullopt;
  const auto decimals = static_cast<int>(fraction.size());
  while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
  if (whole.empty()) {
    while (!fraction.empty() && fraction.front() == '0') fraction.remove_prefix(1);
  }
  const std::size_t count = whole.size() + fraction.size();
  if (count > kMostDigits) return std::nullopt;
  char text[kMostDigits];
  std::copy(fraction.begin(), fraction.end(), std::copy(whole.begin(), whole.end(), text));
  const u128 digits = count <= kDigitsPerWord
                          ? u128{DigitsValue(text, count)}
                          : u128{DigitsValue(text, count - kDigitsPerWord)} * kPowersOfTen[kDigitsPerWord] +
                                DigitsValue(text + count - kDigitsPerWord, kDigitsPerWord);
  return Decimal{false, digits, -decimals};
}

// The exponent after "e" or "E" at i (0 without one), clamped to
// kLargestExponent in size; i moves past it. Empty for an "e" without digits.
std::optional<int> ReadExponent(std::string_view t, std::size_t& i) {
  if (i == t.size() || (t[i] != 'e' && t[i] != 'E')) return 0;
  ++i;
  const bool negative = i < t.size() && t[i] == '-';
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  if (i == t.size() || !IsDigit(t[i])) return std::nullopt;
  int exponent = 0;
  for (; i < t.size() && IsDigit(t[i]); ++i) exponent = std::min(exponent * 10 + (t[i] - '0'), kLargestExponent);
  return negative ? -exponent : exponent;
}

std::optional<Decimal> ReadDecimal(std::string_view t) {
  std::size_t i = 0;
  const bool negative = i < t.size() && t[i] == '-';
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  std::optional<Decimal> decimal = ReadDigits(t, i);
  if (!decimal) return std::nullopt;
  const std::optional<int> exponent = ReadExponent(t, i);
  if (!exponent || i != t.size()) return std::nullopt;
  decimal->negative = negative;
  decimal->power += *exponent;
  return decimal;
}

// The decimal rounded to extended precision, when 128 bits decide it.
std::optional<long double> ValueOf(const Decimal& d) {
  long double value = 0;
  if (d.digits == 0) {
    value = 0;
  } else if (d.power >= 0) {
    // An integer: exact in 128 bits, or left to strtold.
    if (d.power > kMostDigits || d.digits > ~u128{0} / kPowersOfTen[static_cast<std::size_t>(d.power)]) {
      return std::nullopt;
    }
    value = RoundToExtended(d.digits * kPowersOfTen[static_cast<std::size_t>(d.power)], 0, false);
  } else {
    // digits / 10^k = (digits 2^s / 5^k) 2^-(s + k), with digits moved to the
    // top of 128 bits so that the quotient keeps at least 65 bits.
    const int k = -d.power;
    if (k > kMostPowerOfFive) return std::nullopt;
    const int s = 128 - BitLength(d.digits);
    bool inexact = false;
    const u128 quotient = Divide(d.digits << s, kPowersOfFive[static_cast<std::size_t>(k)], inexact);
    value = RoundToExtended(quotient, -(s + k), inexact);
  }
  return d.negative ? -value : value;
}

}  // namespace

std::optional<long double> ParseDecimal(std::string_view token) {
  if (!RoundsToNearest()) return std::nullopt;
  const std::optional<Decimal> decimal = ReadDecimal(token);
  return decimal ? ValueOf(*decimal) : std::nullopt;
}

}  // namespace orbisk
