#include "platform/heap_pages.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace orbisk {
namespace {

// Whether the mapping of this process that holds `address` carries the
// huge-page advice ("hg" among its VmFlags in /proc/self/smaps).
bool Advised(const void* address) {
  const auto where = reinterpret_cast<std::uintptr_t>(address);
  std::ifstream smaps("/proc/self/smaps");
  bool holds = false;
  for (std::string line; std::getline(smaps, line);) {
    const bool mapping = !line.empty() && std::isxdigit(static_cast<unsigned char>(line[0])) &&
                         !std::isupper(static_cast<unsigned char>(line[0]));  // "55d0...-55d1... rw-p ..."
    if (mapping) {
      const std::uintptr_t low = std::stoull(line, nullptr, 16);
      const std::uintptr_t high = std::stoull(line.substr(line.find('-') + 1), nullptr, 16);
      holds = low <= where && where < high;
    } else if (holds && line.starts_with("VmFlags:")) {
      return (line + " ").find(" hg ") != std::string::npos;
    }
  }
  return false;
}

// In a child process, as the setting is the whole process's: the next blocks
// (a grid of half a megabyte first of all) come from advised memory, not
// from the small pages below it, in the main heap and in a thread's own, and
// blocks on both sides of the 32 MiB limit still come, hold what is written
// and go.
TEST(HeapPages, AdvisesTheHeapAndServesBlocksOfEverySize) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's allocator keeps a heap of its own";
#endif
  if (!std::filesystem::exists("/sys/kernel/mm/transparent_hugepage")) GTEST_SKIP() << "no huge pages here";
  EXPECT_EXIT(
      {
        PreferHugePages();
        void* first = std::malloc(std::size_t{512} << 10);
        if (first == nullptr || !Advised(first)) std::_Exit(1);
        bool held = true;
        for (std::size_t size : {std::size_t{16}, std::size_t{1} << 20, std::size_t{5} << 20, std::size_t{40} << 20}) {
          auto* block = static_cast<unsigned char*>(std::malloc(size));
          if (block == nullptr) std::_Exit(2);
          std::memset(block, 0xA5, size);
          held = held && block[0] == 0xA5 && block[size - 1] == 0xA5;
          std::free(block);
        }
        bool threadAdvised = false;
        std::thread([&] {
          PreferHugePagesInThisThread();
          void* block = std::malloc(std::size_t{512} << 10);
          threadAdvised = block != nullptr && Advised(block);
          std::free(block);
        }).join();
        std::_Exit(!held ? 3 : !threadAdvised ? 4 : 0);
      },
      ::testing::ExitedWithCode(0), "");
}

// A big block gets the advice on its whole huge pages when asked, and holds
// what is written: one mapped on its own, and one from another thread's heap.
TEST(HeapPages, AdvisesABigBlockWhenAsked) {
  if (!std::filesystem::exists("/sys/kernel/mm/transparent_hugepage")) GTEST_SKIP() << "no huge pages here";
  auto check = [](std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size));
    ASSERT_NE(block, nullptr);
    AdviseHugePages(block, size);
    EXPECT_TRUE(Advised(block + size / 2)) << size;
    std::memset(block, 0x5A, size);
    EXPECT_EQ(block[size - 1], 0x5A);
    std::free(block);
  };
  check(std::size_t{40} << 20);
  std::thread([&] { check(std::size_t{6} << 20); }).join();
}

}  // namespace
}  // namespace orbisk
