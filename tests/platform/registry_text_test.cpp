#include "platform/registry_text.h"

#include <gtest/gtest.h>
#include <random>

namespace orbisk {
namespace {

const std::string kHead = "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Tevrana\\Kelvaro]\n";

TEST(RegistryText, WritesEachTypeInItsExportForm) {
  RegistryEntries entries = {
      {"OpenedFile", StringValue("C:\\data \"new\".txt")},
      {"BMPHeight", DwordValue(500)},
      {"ErrorValue", BinaryValue(std::string("\xcd\xcc\x00\x01", 4))},
      {"Path", ExpandStringValue("%HOME%")},
      {"", StringValue("default")},
  };
  EXPECT_EQ(FormatRegistryText(entries), kHead +
                                             "\"OpenedFile\"=\"C:\\\\data \\\"new\\\".txt\"\n"
                                             "\"BMPHeight\"=dword:000001f4\n"
                                             "\"ErrorValue\"=hex:cd,cc,00,01\n"
                                             "\"Path\"=hex(2):25,48,4f,4d,45,25,00\n"
                                             "@=\"default\"\n\n");
}

TEST(RegistryText, EveryValueSurvivesAWriteAndARead) {
  std::string allBytes;
  for (int b = 0; b < 256; ++b) allBytes += static_cast<char>(b);
  const struct {
    const char* name;
    RegistryValue value;
  } rows[] = {
      {"plain", StringValue("r+sqrt((x-1)*(x-1))")},
      {"quotes and backslashes", StringValue("\\\"\\\\\"")},
      {"line ends", StringValue("one\r\ntwo\nthree\r")},
      {"not UTF-8", StringValue("\xff\xfe caf\xe9")},
      {"UTF-8", StringValue("\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82")},
      {"embedded NUL", StringValue(std::string("a\0b", 3))},
      {"string without NUL", RegistryValue{RegistryType::String, "abc"}},
      {"string without data", RegistryValue{RegistryType::String, ""}},
      {"empty string", StringValue("")},
      {"trailing blanks", StringValue("  x  ")},
      {"expand string", ExpandStringValue("%PATH%;\"q\"")},
      {"dword zero", DwordValue(0)},
      {"dword max", DwordValue(0xFFFFFFFFu)},
      {"short dword", RegistryValue{RegistryType::Dword, "\x01\x02"}},
      {"empty binary", BinaryValue("")},
      {"every byte, wrapped", BinaryValue(allBytes)},
      {"other type", RegistryValue{static_cast<RegistryType>(0xb), "\x01"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    RegistryEntries entries = {{"Name \"with\" \\ quotes", row.value}, {"After", DwordValue(7)}};
    std::string text = FormatRegistryText(entries);
    std::optional<RegistryEntries> back = ParseRegistryText(text);
    ASSERT_TRUE(back.has_value()) << text;
    EXPECT_EQ(*back, entries) << text;
  }
}

TEST(RegistryText, AcceptsWhatAPersonMayWrite) {
  const std::string text =
      "\xEF\xBB\xBFREGEDIT4\r\n"
      "; settings\r\n"
      "\r\n"
      "[hkey_current_user\\software\\tevrana\\kelvaro]\r\n"
      "\"A\" = dword:1F4\r\n"
      "\"B\"=hex:CD,cc,\\\r\n"
      "  01\r\n"
      "\"C\"=\"x\"   \r\n";
  std::optional<RegistryEntries> entries = ParseRegistryText(text);
  ASSERT_TRUE(entries.has_value());
  RegistryEntries expected = {{"A", DwordValue(500)}, {"B", BinaryValue("\xcd\xcc\x01")}, {"C", StringValue("x")}};
  EXPECT_EQ(*entries, expected);
}

TEST(RegistryText, RefusesMalformedText) {
  const struct {
    const char* name;
    std::string text;
  } rows[] = {
      {"empty", ""},
      {"no header", "[HKEY_CURRENT_USER\\SOFTWARE\\Tevrana\\Kelvaro]\n\"A\"=dword:1\n"},
      {"no section", "REGEDIT4\n"},
      {"value before section", "REGEDIT4\n\"A\"=dword:1\n"},
      {"another key", "REGEDIT4\n[HKEY_CURRENT_USER\\SOFTWARE\\Other]\n"},
      {"second key", kHead + "[HKEY_CURRENT_USER\\SOFTWARE\\Other]\n"},
      {"key deletion", "REGEDIT4\n[-HKEY_CURRENT_USER\\SOFTWARE\\Tevrana\\Kelvaro]\n"},
      {"value deletion", kHead + "\"A\"=-\n"},
      {"unterminated name", kHead + "\"A=dword:1\n"},
      {"unterminated string", kHead + "\"A\"=\"abc\n"},
      {"unknown escape", kHead + "\"A\"=\"a\\nb\"\n"},
      {"text after string", kHead + "\"A\"=\"a\" b\n"},
      {"no equals sign", kHead + "\"A\" dword:1\n"},
      {"dword of nine digits", kHead + "\"A\"=dword:000000001\n"},
      {"dword not hex", kHead + "\"A\"=dword:12g4\n"},
      {"empty dword", kHead + "\"A\"=dword:\n"},
      {"hex byte of three digits", kHead + "\"A\"=hex:123\n"},
      {"hex byte not hex", kHead + "\"A\"=hex:zz\n"},
      {"empty hex byte", kHead + "\"A\"=hex:01,,02\n"},
      {"bad type code", kHead + "\"A\"=hex(x):01\n"},
      {"continuation at the end", kHead + "\"A\"=hex:01,\\\n"},
      {"unknown data", kHead + "\"A\"=qword:1\n"},
  };
  for (const auto& row : rows) {
    EXPECT_FALSE(ParseRegistryText(row.text).has_value()) << row.name;
  }
}

// Mutations of a valid file must never crash, hang or read out of bounds; the
// sanitizer build checks the reads.
TEST(RegistryText, SurvivesMutatedInput) {
  RegistryEntries entries = {
      {"S", StringValue("a\"b\\c")}, {"D", DwordValue(7)}, {"B", BinaryValue(std::string(40, '\x5a'))}};
  const std::string valid = FormatRegistryText(entries);
  std::mt19937 random(12345);
  const char alphabet[] = "\"\\=:,()[]@;\r\n hexdword0123456789abcdef\xff";
  for (int round = 0; round < 3000; ++round) {
    std::string text = valid;
    int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits && !text.empty(); ++e) {
      std::size_t at = random() % text.size();
      char c = alphabet[random() % (sizeof alphabet - 1)];
      switch (random() % 3) {
        case 0:
          text[at] = c;
          break;
        case 1:
          text.insert(text.begin() + static_cast<long>(at), c);
          break;
        default:
          text.erase(at, 1 + random() % 3);
          break;
      }
    }
    if (std::optional<RegistryEntries> parsed = ParseRegistryText(text)) {
      // Whatever was accepted is written back in a form that reads the same.
      EXPECT_EQ(ParseRegistryText(FormatRegistryText(*parsed)), parsed) << text;
    }
  }
}

}  // namespace
}  // namespace orbisk
