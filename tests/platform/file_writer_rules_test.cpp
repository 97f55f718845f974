// The writer's rules, one row per kind of target a user may name.

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>

#include "platform/atomic_file.h"
#include "platform/error.h"
#include "platform/write_cleanup.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"
#include "support/write_faults.h"

namespace orbisk {
namespace {

namespace fs = std::filesystem;
using testing::FolderContent;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// The message of the FileError that writing "new" to path raises, or "" when
// it succeeds.
std::string WriteNew(const std::string& path) {
  try {
    WriteFileAtomically(path, "new");
  } catch (const FileError& e) {
    return e.what();
  }
  return "";
}

bool IsSymlink(const std::string& path) { return fs::is_symlink(fs::symlink_status(path)); }

// The names in a folder (its files are not read: one may be a FIFO).
std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  return names;
}

struct WriterRow {
  const char* name;
  // Prepares the folder and returns the name to write.
  std::function<std::string(const TempDir&)> prepare;
  bool written;
  // What must hold afterwards.
  std::function<void(const TempDir&, const std::string& path)> check;
};

TEST(FileWriterRules, EachKindOfTarget) {
  const WriterRow rows[] = {
      {"symbolic link: its target is replaced, the link stays",
       [](const TempDir& d) {
         WriteFile(d.File("real.txt"), "old");
         fs::create_symlink("real.txt", d.File("link.txt"));
         return d.File("link.txt");
       },
       true,
       [](const TempDir& d, const std::string& path) {
         EXPECT_TRUE(IsSymlink(path));
         EXPECT_EQ(ReadFile(d.File("real.txt")), "new");
       }},
      {"dangling link: the file it names is created",
       [](const TempDir& d) {
         fs::create_symlink("made.txt", d.File("link.txt"));
         return d.File("link.txt");
       },
       true,
       [](const TempDir& d, const std::string& path) {
         EXPECT_TRUE(IsSymlink(path));
         EXPECT_EQ(ReadFile(d.File("made.txt")), "new");
       }},
      {"hard link: every name sees the new content",
       [](const TempDir& d) {
         WriteFile(d.File("a.txt"), "old content");
         fs::create_hard_link(d.File("a.txt"), d.File("b.txt"));
         return d.File("a.txt");
       },
       true,
       [](const TempDir& d, const std::string&) {
         EXPECT_EQ(ReadFile(d.File("b.txt")), "new");
         EXPECT_EQ(fs::hard_link_count(d.File("a.txt")), 2u);
       }},
      {"permission bits are kept",
       [](const TempDir& d) {
         WriteFile(d.File("p.txt"), "old");
         ::chmod(d.File("p.txt").c_str(), 0640);
         return d.File("p.txt");
       },
       true,
       [](const TempDir&, const std::string& path) { EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640)); }},
      {"name of 250 characters: the temporary name still fits",
       [](const TempDir& d) { return d.File(std::string(250, 'n')); }, true,
       [](const TempDir& d, const std::string&) { EXPECT_EQ(Names(d.path()).size(), 1u); }},
      {"read-only file: refused for every user, root included",
       [](const TempDir& d) {
         WriteFile(d.File("ro.txt"), "old");
         ::chmod(d.File("ro.txt").c_str(), 0444);
         return d.File("ro.txt");
       },
       false, [](const TempDir&, const std::string& path) { EXPECT_EQ(ReadFile(path), "old"); }},
      {"FIFO without reader: refused at once",
       [](const TempDir& d) {
         ::mkfifo(d.File("f").c_str(), 0666);
         return d.File("f");
       },
       false, [](const TempDir&, const std::string& path) { EXPECT_TRUE(fs::is_fifo(path)); }},
      {"name past NAME_MAX", [](const TempDir& d) { return d.File(std::string(256, 'n')); }, false, nullptr},
      {"symbolic link loop",
       [](const TempDir& d) {
         fs::create_symlink("loop", d.File("loop"));
         return d.File("loop");
       },
       false, nullptr},
      {"folder", [](const TempDir& d) { return d.path().string(); }, false, nullptr},
      {"missing folder", [](const TempDir& d) { return d.File("none/x.txt"); }, false, nullptr},
  };
  for (const WriterRow& row : rows) {
    SCOPED_TRACE(row.name);
    TempDir dir;
    const std::string path = row.prepare(dir);
    std::error_code error;
    EXPECT_EQ(MayWriteFile(path), row.written || fs::is_fifo(fs::status(path, error)));
    EXPECT_EQ(WriteNew(path), row.written ? "" : "Не могу создать файл " + path);
    if (row.check) row.check(dir, path);
    for (const std::string& name : Names(dir.path())) EXPECT_NE(name.rfind(".orbisk-", 0), 0u) << name;
  }
}

TEST(FileWriterRules, FifosDevicesAndDescriptorsAreWrittenInPlace) {
  TempDir dir;
  const std::string fifo = dir.File("f");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
  std::string received;
  std::thread reader([&] { received = ReadFile(fifo); });
  // The reader may not have opened the FIFO yet: until it has, the writer refuses.
  while (!WriteNew(fifo).empty()) std::this_thread::yield();
  reader.join();
  EXPECT_EQ(received, "new");
  EXPECT_TRUE(fs::is_fifo(fifo));

  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  EXPECT_EQ(WriteNew("/dev/fd/" + std::to_string(ends[1])), "");
  char got[8] = {};
  EXPECT_EQ(::read(ends[0], got, sizeof got), 3);
  EXPECT_EQ(std::string(got), "new");
  ::close(ends[0]);
  ::close(ends[1]);

  if (::geteuid() != 0) GTEST_SKIP() << "a device node can only be made by root";
  const std::string null = dir.File("null");
  ASSERT_EQ(::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
  EXPECT_EQ(WriteNew(null), "");
  EXPECT_TRUE(fs::is_character_file(null));
}

TEST(FileWriterRules, PermissionsOfTheUserAreHonoured) {
  TempDir dir;
  ::chmod(dir.path().c_str(), 0777);
  WriteFile(dir.File("theirs.txt"), "old");
  ::chmod(dir.File("theirs.txt").c_str(), 0460);  // a write bit, but not for this user
  fs::create_directory(dir.File("closed"));
  ::chmod(dir.File("closed").c_str(), 0555);
  const struct { std::string path; } rows[] = {{dir.File("theirs.txt")}, {dir.File("closed/new.txt")}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    std::optional<int> refused = testing::RunUnprivileged(
        [&] { return !MayWriteFile(row.path) && WriteNew(row.path) == "Не могу создать файл " + row.path ? 1 : 0; });
    if (!refused) GTEST_SKIP() << "privileges cannot be dropped here";
    EXPECT_EQ(*refused, 1);
  }
  EXPECT_EQ(ReadFile(dir.File("theirs.txt")), "old");
  EXPECT_FALSE(fs::exists(dir.File("closed/new.txt")));
}

// Runs work in a child process and returns how it ended: its exit code, or
// 128 + the signal that ended it.
int InChild(const std::function<int()>& work) {
  pid_t child = ::fork();
  if (child == 0) ::_exit(work());
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

TEST(FileWriterRules, FailuresAndInterruptionsLeaveTheOldFileAndNoTemporary) {
  const std::string big(1 << 18, 'x');
  for (bool hardLinked : {false, true}) {
    SCOPED_TRACE(hardLinked ? "hard-linked" : "single name");
    TempDir dir;
    const std::string path = dir.File("t.dat");
    WriteFile(path, "old");
    if (hardLinked) fs::create_hard_link(path, dir.File("other.dat"));
    const auto before = FolderContent(dir.path());

    // Past the file-size limit: EFBIG is reported, SIGXFSZ does not kill.
    int limited = InChild([&] {
      struct rlimit limit {
        1000, 1000
      };
      ::setrlimit(RLIMIT_FSIZE, &limit);
      try {
        WriteFileAtomically(path, big);
      } catch (const FileError& e) {
        return std::string(e.what()) == "Stream write error" ? 0 : 2;
      }
      return 1;
    });
    EXPECT_EQ(limited, 0);
    EXPECT_EQ(FolderContent(dir.path()), before);

    // SIGTERM part-way through a write.
    int interrupted = InChild([&] {
      InstallWriteCleanup();
      SetWriteFaultForTesting([](std::size_t written) {
        if (written > 0) ::raise(SIGTERM);
        return false;
      });
      WriteFileAtomically(path, big);
      return 0;
    });
    EXPECT_EQ(interrupted, 128 + SIGTERM);
    EXPECT_EQ(FolderContent(dir.path()), before);

    testing::DiskFull full(testing::kWritePiece);
    EXPECT_EQ(WriteNew(path), "");  // small enough for one piece
    WriteFile(path, "old");
    EXPECT_THROW(WriteFileAtomically(path, big), FileError);
    EXPECT_EQ(FolderContent(dir.path()), before);
  }
}

}  // namespace
}  // namespace orbisk
