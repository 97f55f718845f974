#include "polar_data/number_format.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <numbers>
#include <random>

namespace orbisk {
namespace {

struct FormatCase {
  long double value;
  const char* general;
  const char* field;
};

TEST(NumberFormat, GeneralAndScientificFieldTable) {
  const long double pi = std::numbers::pi_v<long double>;
  const FormatCase cases[] = {
      {0, "0", " 0.00000000000000E+0000"},
      {-0.0L, "0", " 0.00000000000000E+0000"},
      {1, "1", " 1.00000000000000E+0000"},
      {0.25, "0.25", " 2.50000000000000E-0001"},
      {-3, "-3", "-3.00000000000000E+0000"},
      {-0.75, "-0.75", "-7.50000000000000E-0001"},
      {0.00001, "1E-5", " 1.00000000000000E-0005"},
      {0.0001, "0.0001", " 1.00000000000000E-0004"},
      {0.000123, "0.000123", " 1.23000000000000E-0004"},
      {2.5e20L, "2.5E20", " 2.50000000000000E+0020"},
      {1e15L, "1E15", " 1.00000000000000E+0015"},
      {999999999999999.0L, "999999999999999", " 9.99999999999999E+0014"},
      {9999999999999999.0L, "1E16", " 1.00000000000000E+0016"},  // rounds up a decade
      {123456.789, "123456.789", " 1.23456789000000E+0005"},
      {2 * pi, "6.28318530717959", " 6.28318530717959E+0000"},
      {-1.3e-13L, "-1.3E-13", "-1.30000000000000E-0013"},
      {1e-300L, "1E-300", " 1.00000000000000E-0300"},
      {1e4000L, "1E4000", " 1.00000000000000E+4000"},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.general);
    EXPECT_EQ(FormatGeneral(c.value), c.general);
    EXPECT_EQ(FormatScientificField(c.value), c.field);
    EXPECT_EQ(FormatScientificField(c.value).size(), 23u);
  }
}

TEST(NumberFormat, DoubleValuesRoundTo15Digits) {
  EXPECT_EQ(FormatGeneral(0.1), "0.1");
  EXPECT_EQ(FormatGeneral(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(FormatGeneral(2.0 / 3.0), "0.666666666666667");
}

// Halves of the last digit go to the even one, a carry reaches the next
// power of ten, and the plain and exponent forms change where printf's do.
TEST(NumberFormat, DigitsRoundHalfToEvenAndChooseTheirForm) {
  const struct {
    long double value;
    int digits;
    const char* text;
  } cases[] = {
      {2.5L, 1, "2"},
      {3.5L, 1, "4"},
      {-1.25L, 2, "-1.2"},
      {1.375L, 3, "1.38"},
      {9.5L, 1, "1e+01"},
      {99.96L, 3, "100"},
      {0.0001L, 21, "0.000100000000000000000001"},
      {0.00001L, 6, "1e-05"},
      {123456.0L, 6, "123456"},
      {1234567.0L, 6, "1.23457e+06"},
      {100.0L, 21, "100"},
      {0.1L, 21, "0.100000000000000000001"},
      {18446744073709551615.0L, 21, "18446744073709551615"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDigits(c.value, c.digits), c.text) << c.text;
}

// The text is printf's for random values over the whole range of exponents
// (those the direct rounding takes and those it leaves to printf), and so
// are the digits of the 15-digit field.
TEST(NumberFormat, DigitsMatchPrintfOverRandomValues) {
  std::mt19937_64 random(7);
  for (int k = 0; k < 50000; ++k) {
    const std::uint64_t significand = random() | (std::uint64_t{1} << 63);
    const int exponent =
        static_cast<int>(random() % 200) - 100 + (k % 50 == 0 ? static_cast<int>(random() % 4000) - 2000 : 0);
    long double value = std::ldexp(static_cast<long double>(significand), exponent - 63);
    if (k % 2 == 1) value = -value;
    char scientific[64];
    std::snprintf(scientific, sizeof scientific, "%.14Le", value);
    const char* mark = std::strchr(scientific, 'e');
    char field[32];
    std::snprintf(field, sizeof field, "%s%.*sE%c%04d", value < 0 ? "" : " ", static_cast<int>(mark - scientific),
                  scientific, mark[1], std::abs(std::atoi(mark + 1)));
    ASSERT_EQ(FormatScientificField(value), field);
    for (int digits : {1, 2, 6, 15, 17, 20, 21}) {
      char expected[64];
      std::snprintf(expected, sizeof expected, "%.*Lg", digits, value);
      ASSERT_EQ(FormatDigits(value, digits), expected) << digits;
    }
  }
}

}  // namespace
}  // namespace orbisk
