// The reader's rules, one row per kind of input a user may name.

#include "platform/input_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace orbisk {
namespace {

using testing::TempDir;
using testing::WriteFile;

constexpr std::size_t kLimit = 1000;

TEST(InputFile, EachKindOfInput) {
  const struct {
    const char* name;
    std::function<std::string(const TempDir&)> prepare;
    InputStatus status;
  } rows[] = {
      {"regular file",
       [](const TempDir& d) {
         WriteFile(d.File("a"), "1 2 3");
         return d.File("a");
       },
       InputStatus::Ok},
      {"missing", [](const TempDir& d) { return d.File("none"); }, InputStatus::NotFound},
      {"name past NAME_MAX", [](const TempDir& d) { return d.File(std::string(300, 'n')); }, InputStatus::NotFound},
      {"folder", [](const TempDir& d) { return d.path().string(); }, InputStatus::AccessDenied},
      {"larger than the limit, refused before reading",
       [](const TempDir& d) {
         WriteFile(d.File("big"), "");
         std::filesystem::resize_file(d.File("big"), std::uintmax_t{3} << 30);  // sparse
         return d.File("big");
       },
       InputStatus::TooLarge},
      {"endless device", [](const TempDir&) { return std::string("/dev/zero"); }, InputStatus::TooLarge},
      {"FIFO that no program writes to",
       [](const TempDir& d) {
         ::mkfifo(d.File("f").c_str(), 0666);
         return d.File("f");
       },
       InputStatus::NoWriter},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempDir dir;
    Input input = ReadInputFile(row.prepare(dir), kLimit);
    EXPECT_EQ(input.status, row.status);
    EXPECT_EQ(input.bytes, row.status == InputStatus::Ok ? "1 2 3" : "");
  }
}

TEST(InputFile, AFifoWithAWriterIsReadToItsEnd) {
  TempDir dir;
  const std::string fifo = dir.File("f");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
  std::thread writer([&] {
    int fd = ::open(fifo.c_str(), O_WRONLY);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the reader waits for data
    EXPECT_EQ(::write(fd, "4 5", 3), 3);
    ::close(fd);
  });
  Input input;
  do {
    input = ReadInputFile(fifo, kLimit);  // until the writer has opened it
  } while (input.status == InputStatus::NoWriter);
  writer.join();
  EXPECT_EQ(input.status, InputStatus::Ok);
  EXPECT_EQ(input.bytes, "4 5");
}

TEST(InputFile, AFileTheUserMayNotReadIsDenied) {
  TempDir dir;
  WriteFile(dir.File("secret"), "1");
  ::chmod(dir.File("secret").c_str(), 0600);
  ::chmod(dir.path().c_str(), 0755);
  std::optional<int> status =
      testing::RunUnprivileged([&] { return static_cast<int>(ReadInputFile(dir.File("secret"), kLimit).status); });
  if (!status) GTEST_SKIP() << "privileges cannot be dropped here";
  if (::geteuid() != 0) GTEST_SKIP() << "the file is the user's own";
  EXPECT_EQ(*status, static_cast<int>(InputStatus::AccessDenied));
}

}  // namespace
}  // namespace orbisk
