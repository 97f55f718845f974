#include "polar_data/number_format.h"

#include <gtest/gtest.h>
#include <numbers>

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

}  // namespace
}  // namespace orbisk
