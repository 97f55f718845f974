#include "polar_data/decimal_parsing.h"

#include <cfenv>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace orbisk {
namespace {

long double Strtold(const std::string& text) {
  static locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
  return strtold_l(text.c_str(), nullptr, c);
}

// The same encoding as strtold's (sign, exponent and significand), or no
// quick answer at all.
void ExpectAsStrtold(const std::string& text) {
  const std::optional<long double> quick = ParseDecimal(text);
  if (!quick) return;
  const long double expected = Strtold(text);
  ASSERT_EQ(std::memcmp(&*quick, &expected, 10), 0) << text << ": " << static_cast<double>(*quick);
}

TEST(DecimalParsing, TiesEdgesAndShapes) {
  struct Case {
    const char* text;
    bool quick;  // decided without strtold
  };
  const Case cases[] = {
      {"36893488147419103233", true},    // 2^65 + 1: a tie, down to the even 2^65
      {"36893488147419103235", true},    // 2^65 + 3: a tie, up to 2^65 + 4
      {"36893488147419103234", true},    // exact
      {"18446744073709551615", true},    // 2^64 - 1, exact
      {"18446744073709551616.5", true},  // rounds up past the last 64-bit significand
      {"18446744073709551617", true},    // 2^64 + 1: a tie, down
      {"1844674407370955161.75", true},  // halves and quarters below 2^61
      {"4611686018427387904.25e1", true},
      {"0.1", true},
      {"-0.0", true},
      {"-0e7", true},
      {"+.5", true},
      {"7.", true},
      {"000123.4500e-2", true},
      {"1.00000000000000000000000000000000000001", false},  // 39 digits
      {"1e-30", false},
      {"1e39", false},
      {"1e99999999999", false},
      {"1e", false},
      {"1e+", false},
      {"1.2.3", false},
      {".", false},
      {"0x1p3", false},
      {"inf", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseDecimal(c.text).has_value(), c.quick) << c.text;
    ExpectAsStrtold(c.text);
  }
  // Exact halves below 1: (2m + 1) / 2^k written out in full.
  const std::uint64_t odd = 0xB504F333F9DE6485;  // above 2^63: doubled plus one, 65 bits
  for (int k = 1; k <= 12; ++k) {
    unsigned __int128 numerator = (static_cast<unsigned __int128>(odd) << 1) | 1;  // 65 bits, odd
    for (int j = 0; j < k; ++j) numerator *= 5;                                    // / 2^k = numerator / 10^k
    std::string digits;
    for (unsigned __int128 n = numerator; n != 0; n /= 10) digits.insert(digits.begin(), char('0' + int(n % 10)));
    ASSERT_GT(digits.size(), static_cast<std::size_t>(k));
    digits.insert(digits.size() - static_cast<std::size_t>(k), ".");
    EXPECT_TRUE(ParseDecimal(digits).has_value()) << digits;
    ExpectAsStrtold(digits);
  }
  // 1e-501 written with more decimals than the exponent may offset.
  const std::string longFraction = "0." + std::string(1500, '0') + "1e1000";
  EXPECT_FALSE(ParseDecimal(longFraction).has_value());
  ExpectAsStrtold(longFraction);
  std::fesetround(FE_UPWARD);
  EXPECT_FALSE(ParseDecimal("0.1").has_value());
  std::fesetround(FE_TONEAREST);
}

TEST(DecimalParsing, MatchesStrtoldOverRandomTokens) {
  std::mt19937_64 random(11);
  int quick = 0;
  for (int k = 0; k < 200000; ++k) {
    std::string text;
    if (random() % 3 == 0) text += random() % 2 ? '-' : '+';
    const int count = 1 + static_cast<int>(random() % (k % 4 == 0 ? 40 : 22));
    const int point = static_cast<int>(random() % static_cast<std::uint64_t>(count + 2)) - 1;
    for (int d = 0; d < count; ++d) {
      if (d == point) text += '.';
      text += static_cast<char>('0' + (d < 3 && random() % 4 == 0 ? 0 : random() % 10));
    }
    if (random() % 2 == 0) {
      text += random() % 2 ? 'e' : 'E';
      if (random() % 2 == 0) text += random() % 2 ? '-' : '+';
      text += std::to_string(random() % 45);
    }
    quick += ParseDecimal(text).has_value();
    ExpectAsStrtold(text);
  }
  EXPECT_GT(quick, 100000);  // the quick way decides most of them
}

}  // namespace
}  // namespace orbisk
