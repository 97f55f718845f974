#include "contour/label_format.h"

#include <gtest/gtest.h>

#include "platform/error.h"

namespace orbisk {
namespace {

struct FormatCase {
  const char* body;
  long double value;
  char separator;
  const char* expected;
};

TEST(LabelFormat, FormatsOneFloatingDirective) {
  const FormatCase cases[] = {
      {".4g", 0.5L, '.', "0.5"},
      {".4g", 1.0L / 3, '.', "0.3333"},
      {".4g", 1.0L / 3, ',', "0,3333"},
      {".4g", 0, '.', "0"},
      {"g", 0.125L, '.', "0.125"},
      {".2f", 0.5L, ',', "0,50"},
      {"f", 0.5L, '.', "0.500000"},
      {".3e", 0.5L, '.', "5.000e-01"},
      {"8.3f", 0.5L, '.', "   0.500"},
      {"-8.3f|", 0.5L, '.', "0.500   |"},
      {".0f", 2.5L, '.', "2"},
      {"G", 0.5L, '.', "0.5"},
      {".4g (approx.)", 0.5L, '.', "0.5 (approx.)"},
      {".4g%%", 0.5L, '.', "0.5%"},
      {"%ratio", 0.5L, '.', "%ratio"},    // "%%ratio": no directive, value unused
      {"%x %.1f", 0.25L, '.', "%x 0.2"},  // literal text before the directive
      {"999.999f", 1, '.', nullptr},      // largest accepted fields
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.body);
    std::string text = FormatLabelNumber(c.body, c.value, c.separator);
    if (c.expected != nullptr) {
      EXPECT_EQ(text, c.expected);
    } else {
      EXPECT_EQ(text.size(), 1001u);
    }
  }
}

TEST(LabelFormat, RejectsBadDirectivesWithTheWholeFormat) {
  const char* invalid[] = {"",   ".",  ".4",    "d",      "s",   ".4x",  "4.",
                           "*g", "+g", "1000g", ".1000f", "0:g", "%%.4", "99999999999999999999g"};
  for (const char* body : invalid) {
    SCOPED_TRACE(body);
    try {
      FormatLabelNumber(body, 0.5L, '.');
      ADD_FAILURE() << "no error";
    } catch (const InputError& e) {
      EXPECT_EQ(std::string(e.what()), "Format '%" + std::string(body) + "' invalid or incompatible with argument");
    }
  }
}

TEST(LabelFormat, SecondDirectiveHasNoArgument) {
  for (const char* body : {".4g %g", "f%e", "g%%%5.1f"}) {
    SCOPED_TRACE(body);
    try {
      FormatLabelNumber(body, 0.5L, '.');
      ADD_FAILURE() << "no error";
    } catch (const InputError& e) {
      EXPECT_EQ(std::string(e.what()), "No argument for format '%" + std::string(body) + "'");
    }
  }
}

TEST(LabelFormat, HugeValuesStayBounded) {
  long double huge = std::numeric_limits<long double>::max();
  EXPECT_LT(FormatLabelNumber("999.999f", huge, '.').size(), 6000u);
  EXPECT_EQ(FormatLabelNumber(".4g", huge, '.'), "1.19e+4932");
}

}  // namespace
}  // namespace orbisk
