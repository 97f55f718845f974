#include "polar_data/token_reader.h"

#include <gtest/gtest.h>
#include <string>

#include "platform/error.h"

namespace orbisk {
namespace {

struct IntegerCase {
  const char* text;
  bool valid;
  std::int32_t value;
};

TEST(TokenReader, IntegerTokens) {
  const IntegerCase cases[] = {
      {"100", true, 100},
      {"+7", true, 7},
      {"-5", true, -5},
      {"$FF", true, 255},
      {"-$10", true, -16},
      {"$FFFFFFFF", true, -1},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, INT32_MIN},
      {"2147483648", false, 0},
      {"100.0", false, 0},
      {"1e2", false, 0},
      {"", true, 0},
      {"-", false, 0},
      {"$", false, 0},
      {"12a", false, 0},
      {"$1FFFFFFFF", false, 0},
  };
  for (const IntegerCase& c : cases) {
    SCOPED_TRACE(c.text);
    TokenReader in(c.text);
    EXPECT_EQ(in.ReadInteger(), c.value);
    EXPECT_EQ(in.Failed(), !c.valid);
  }
}

struct RealCase {
  const char* text;
  bool valid;
  long double value;
};

TEST(TokenReader, RealTokens) {
  const RealCase cases[] = {
      {"0.5", true, 0.5L}, {"-3", true, -3},   {"+2.5e3", true, 2500},    {"1E-5", true, 1e-5L},
      {"5.", true, 5},     {".5", true, 0.5L}, {"1e4000", true, 1e4000L}, {"0,5", false, 0},
      {"1e", false, 0},    {"e5", false, 0},   {".", false, 0},           {"nan", false, 0},
      {"inf", false, 0},   {"0x10", false, 0}, {"1e99999", false, 0},     {"1.2.3", false, 0},
  };
  for (const RealCase& c : cases) {
    SCOPED_TRACE(c.text);
    TokenReader in(c.text);
    EXPECT_EQ(in.ReadReal(), c.value);
    EXPECT_EQ(in.Failed(), !c.valid);
  }
}

TEST(TokenReader, AnyControlCharacterSeparatesAndCode26Ends) {
  std::string text = std::string("\x01 1\t2\r\n3\x0b\x0c") + std::string(1, '\0') + "4\x1a 5";
  TokenReader in(text);
  EXPECT_EQ(in.ReadInteger(), 1);
  EXPECT_EQ(in.ReadInteger(), 2);
  EXPECT_EQ(in.ReadReal(), 3);
  EXPECT_EQ(in.ReadReal(), 4);
  EXPECT_EQ(in.ReadInteger(), 0);  // 5 lies after the end mark
  EXPECT_FALSE(in.Failed());
}

TEST(TokenReader, LongRunsSplitAfterTheTokenLimit) {
  std::string ints = std::string(32, '1') + "7";  // 32 digits overflow, then "7"
  TokenReader a(ints);
  a.ReadInteger();
  EXPECT_TRUE(a.Failed());

  std::string reals = "0." + std::string(62, '0') + "25";  // 64 characters, then "25"
  TokenReader b(reals);
  EXPECT_EQ(b.ReadReal(), 0);
  EXPECT_EQ(b.ReadReal(), 25);
  EXPECT_FALSE(b.Failed());
}

TEST(TokenReader, AfterABadTokenReadsGiveZeroAndCheckRaises) {
  TokenReader in("1 x 3");
  EXPECT_EQ(in.ReadInteger(), 1);
  EXPECT_NO_THROW(in.Check());
  EXPECT_EQ(in.ReadReal(), 0);
  EXPECT_EQ(in.ReadReal(), 0);  // 3 is not consumed after the failure
  try {
    in.Check();
    FAIL() << "no error";
  } catch (const InputError& e) {
    EXPECT_STREQ(e.what(), "Invalid numeric input");
  }
}

}  // namespace
}  // namespace orbisk
