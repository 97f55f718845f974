#include <gtest/gtest.h>

#include "app/default_handler.h"

namespace orbisk {
namespace {

TEST(DefaultHandlerText, AddsAFullStopOnlyAfterCharactersSortingAfterThePoint) {
  struct Row {
    const char* message;
    const char* shown;
  };
  const Row rows[] = {
      {"'abc' is not a valid integer value", "'abc' is not a valid integer value."},
      {"Failed to set data for 'SNR'", "Failed to set data for 'SNR'"},
      {"List count out of bounds (-1)", "List count out of bounds (-1)"},
      {"Already stopped.", "Already stopped."},
      {"Ends in a slash/", "Ends in a slash/."},     // '/' sorts right after '.'
      {"Ends in a hyphen -", "Ends in a hyphen -"},  // '-' sorts before '.'
      {"Value 7", "Value 7."},
      {"Не могу создать файл /x/новый", "Не могу создать файл /x/новый."},  // UTF-8 bytes above 0x7F
      {"", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.message);
    EXPECT_EQ(DefaultHandlerText(row.message), row.shown);
  }
}

}  // namespace
}  // namespace orbisk
