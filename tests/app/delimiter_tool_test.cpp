#include "app/delimiter_tool.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "platform/atomic_file.h"
#include "platform/error.h"
#include "support/temp_dir.h"

namespace orbisk {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(DelimiterTool, LinesEndAtCrLfOrCrLfAndComeOutWithCrLf) {
  const struct {
    const char* name;
    std::string in;
    std::string out;
  } rows[] = {
      {"empty", "", ""},
      {"last line without an end", "a", "a\r\n"},
      {"LF only", "a\nb\n", "a\r\nb\r\n"},
      {"CR LF kept", "a\r\nb\r\n", "a\r\nb\r\n"},
      {"CR only", "a\rb\r", "a\r\nb\r\n"},
      {"CR, then CR LF", "a\r\r\nb", "a\r\n\r\nb\r\n"},
      {"LF CR is two ends", "a\n\rb", "a\r\n\r\nb\r\n"},
      {"empty lines", "\n\n", "\r\n\r\n"},
      {"NUL bytes pass", std::string("a\0b\n", 4), std::string("a\0b\r\n", 5)},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(WithCrLfLines(row.in), row.out) << row.name;
  }
}

TEST(DelimiterTool, ReplacesOrExchangesPointAndComma) {
  TempDir dir;
  const std::string src = dir.File("in.txt");
  WriteFile(src, "1.5;2,5\nno delimiters\n");
  ReplaceCharInFile(src, dir.File("p2c.txt"), '.', ',');
  ReplaceCharInFile(src, dir.File("c2p.txt"), ',', '.');
  ExchangeCharsInFile(src, dir.File("swap.txt"), '.', ',');
  EXPECT_EQ(ReadFile(dir.File("p2c.txt")), "1,5;2,5\r\nno delimiters\r\n");
  EXPECT_EQ(ReadFile(dir.File("c2p.txt")), "1.5;2.5\r\nno delimiters\r\n");
  EXPECT_EQ(ReadFile(dir.File("swap.txt")), "1,5;2.5\r\nno delimiters\r\n");
  EXPECT_EQ(ReadFile(src), "1.5;2,5\nno delimiters\n");
}

TEST(DelimiterTool, RewritesAFileInPlace) {
  TempDir dir;
  const std::string path = dir.File("data.dat");
  std::string big;
  for (int i = 0; i < 20000; ++i) big += "3.25 4,5\n";
  WriteFile(path, big);
  ExchangeCharsInFile(path, path, '.', ',');
  std::string expected;
  for (int i = 0; i < 20000; ++i) expected += "3,25 4.5\r\n";
  EXPECT_EQ(ReadFile(path), expected);
}

TEST(DelimiterTool, AnEmptySourceGivesAnEmptyFile) {
  TempDir dir;
  WriteFile(dir.File("empty.txt"), "");
  ReplaceCharInFile(dir.File("empty.txt"), dir.File("out.txt"), '.', ',');
  EXPECT_TRUE(std::filesystem::exists(dir.File("out.txt")));
  EXPECT_EQ(std::filesystem::file_size(dir.File("out.txt")), 0u);
}

TEST(DelimiterTool, ASourceThatCannotBeReadWritesNothing) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("folder"));
  for (const std::string& src : {dir.File("missing.txt"), dir.File("folder")}) {
    try {
      ReplaceCharInFile(src, dir.File("out.txt"), '.', ',');
      ADD_FAILURE() << "no error for " << src;
    } catch (const FileError& error) {
      EXPECT_EQ(error.what(), "Не могу открыть файл " + src);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.txt")));
  }
}

TEST(DelimiterTool, ADestinationThatCannotBeCreatedLeavesTheSource) {
  TempDir dir;
  const std::string src = dir.File("in.txt");
  WriteFile(src, "1.5\n");
  std::filesystem::create_directory(dir.File("folder"));
  for (const std::string& dst : {dir.File("no/such/folder/out.txt"), dir.File("folder")}) {
    try {
      ExchangeCharsInFile(src, dst, '.', ',');
      ADD_FAILURE() << "no error for " << dst;
    } catch (const FileError& error) {
      EXPECT_EQ(error.what(), "Не могу создать файл " + dst);
    }
  }
  EXPECT_EQ(ReadFile(src), "1.5\n");
}

TEST(DelimiterTool, AFailedWriteInPlaceKeepsTheSource) {
  TempDir dir;
  const std::string path = dir.File("in.txt");
  WriteFile(path, "1.5\n2.5\n");
  SetWriteFaultForTesting([](std::size_t) { return true; });  // a full disk
  EXPECT_THROW(ReplaceCharInFile(path, path, '.', ','), FileError);
  SetWriteFaultForTesting({});
  EXPECT_EQ(ReadFile(path), "1.5\n2.5\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);  // no leftovers
}

}  // namespace
}  // namespace orbisk
