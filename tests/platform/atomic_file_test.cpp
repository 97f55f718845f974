#include "platform/atomic_file.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/error.h"
#include "support/temp_dir.h"

namespace orbisk {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

std::string MessageOf(const std::function<void()>& act) {
  try {
    act();
  } catch (const FileError& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(WriteFileAtomically, ReplacesTheFileAndKeepsItsPermissions) {
  TempDir dir;
  std::string path = dir.File("data.dat");
  WriteFile(path, "old");
  ::chmod(path.c_str(), 0600);
  WriteFileAtomically(path, "new content");
  EXPECT_EQ(ReadFile(path), "new content");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  // Nothing but the target is left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(WriteFileAtomically, FailuresLeaveThePreviousFileAndNoTemporaryFile) {
  TempDir dir;
  std::string path = dir.File("keep.dat");
  WriteFile(path, "previous bytes");
  std::filesystem::create_directory(dir.File("folder"));

  EXPECT_EQ(MessageOf([&] { WriteFileAtomically(dir.File("folder"), "x"); }),
            "Не могу создать файл " + dir.File("folder"));
  EXPECT_EQ(MessageOf([&] { WriteFileAtomically(dir.File("missing/sub.dat"), "x"); }),
            "Не могу создать файл " + dir.File("missing/sub.dat"));

  SetWriteFaultForTesting([](std::size_t written) { return written > 0; });
  std::string big(1 << 20, 'a');
  EXPECT_EQ(MessageOf([&] { WriteFileAtomically(path, big); }), "Stream write error");
  SetWriteFaultForTesting({});

  EXPECT_EQ(ReadFile(path), "previous bytes");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

}  // namespace
}  // namespace orbisk
