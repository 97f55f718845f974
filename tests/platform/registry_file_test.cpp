#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/error.h"
#include "platform/file_registry.h"
#include "support/temp_dir.h"

namespace orbisk {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

const std::string kHead = "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Tevrana\\Kelvaro]\n";

TEST(FileRegistry, AMissingFileIsAMissingKeyUntilCreated) {
  TempDir dir;
  FileRegistry registry(dir.File("Tevrana/sub/Kelvaro.reg"));
  EXPECT_FALSE(registry.Open(RegistryAccess::Full));
  EXPECT_FALSE(registry.Open(RegistryAccess::Read));
  EXPECT_FALSE(registry.Read("A").has_value());

  ASSERT_TRUE(registry.OpenOrCreate());
  EXPECT_TRUE(registry.Write("A", DwordValue(500)));
  EXPECT_TRUE(registry.Write("B", StringValue("text")));
  registry.Close();
  EXPECT_EQ(ReadFile(registry.path()), kHead + "\"A\"=dword:000001f4\n\"B\"=\"text\"\n\n");

  ASSERT_TRUE(registry.Open(RegistryAccess::Read));
  EXPECT_EQ(registry.Read("a"), DwordValue(500));  // names ignore case
  EXPECT_EQ(registry.Read("B"), StringValue("text"));
  registry.Close();
}

TEST(FileRegistry, RewritingKeepsOtherValuesAndTheirOrder) {
  TempDir dir;
  std::string path = dir.File("Kelvaro.reg");
  WriteFile(path, kHead + "\"Z\"=dword:00000001\n\"Other\"=hex(7):61,00,00\n\"z\"=dword:00000002\n");
  FileRegistry registry(path);
  ASSERT_TRUE(registry.OpenOrCreate());
  EXPECT_EQ(registry.Read("Z"), DwordValue(2));  // the last of a repeated name holds
  EXPECT_TRUE(registry.Write("New", DwordValue(3)));
  EXPECT_TRUE(registry.Write("Z", DwordValue(4)));
  registry.Close();
  EXPECT_EQ(ReadFile(path), kHead + "\"Z\"=dword:00000004\n\"Other\"=hex(7):61,00,00\n\"New\"=dword:00000003\n\n");
}

TEST(FileRegistry, ClosingWithoutWritingLeavesTheFileAlone) {
  TempDir dir;
  std::string path = dir.File("Kelvaro.reg");
  const std::string text = kHead + "; a comment a person wrote\n\"A\"=dword:1\n";
  WriteFile(path, text);
  FileRegistry registry(path);
  ASSERT_TRUE(registry.Open(RegistryAccess::Full));
  registry.Close();
  ASSERT_TRUE(registry.OpenOrCreate());
  registry.Close();
  EXPECT_EQ(ReadFile(path), text);
}

TEST(FileRegistry, AReadOnlyFileOpensForReadingButNotForWriting) {
  TempDir dir;
  std::string path = dir.File("Kelvaro.reg");
  const std::string text = kHead + "\"A\"=dword:00000001\n";
  WriteFile(path, text);
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  FileRegistry registry(path);

  EXPECT_FALSE(registry.Open(RegistryAccess::Full));
  ASSERT_TRUE(registry.Open(RegistryAccess::Read));
  EXPECT_EQ(registry.Read("A"), DwordValue(1));
  EXPECT_FALSE(registry.Write("A", DwordValue(2)));
  registry.Close();

  EXPECT_FALSE(registry.OpenOrCreate());
  EXPECT_FALSE(registry.Write("A", DwordValue(2)));
  EXPECT_NO_THROW(registry.Close());
  EXPECT_EQ(ReadFile(path), text);
}

TEST(FileRegistry, AMalformedFileCannotBeOpenedButIsReplacedWhenWritten) {
  TempDir dir;
  std::string path = dir.File("Kelvaro.reg");
  WriteFile(path, kHead + "\"A\"=dword:xyz\n");
  FileRegistry registry(path);
  EXPECT_FALSE(registry.Open(RegistryAccess::Full));
  EXPECT_FALSE(registry.Open(RegistryAccess::Read));

  ASSERT_TRUE(registry.OpenOrCreate());
  EXPECT_FALSE(registry.Read("A").has_value());
  EXPECT_TRUE(registry.Write("A", DwordValue(1)));
  registry.Close();
  ASSERT_TRUE(registry.Open(RegistryAccess::Read));
  EXPECT_EQ(registry.Read("A"), DwordValue(1));
  registry.Close();
}

TEST(FileRegistry, AnUnreadableOrHugeFileCannotBeOpened) {
  TempDir dir;
  std::string folderInTheWay = dir.File("folder.reg");
  std::filesystem::create_directory(folderInTheWay);
  FileRegistry folder(folderInTheWay);
  EXPECT_FALSE(folder.Open(RegistryAccess::Read));
  EXPECT_FALSE(folder.OpenOrCreate());

  std::string hugePath = dir.File("huge.reg");
  WriteFile(hugePath, kHead + "; " + std::string(2 << 20, 'x') + "\n");
  FileRegistry huge(hugePath);
  EXPECT_FALSE(huge.Open(RegistryAccess::Read));
}

TEST(FileRegistry, WritesAreRefusedWhenTheKeyIsNotOpenOrTheNameCannotBeStored) {
  TempDir dir;
  FileRegistry registry(dir.File("Kelvaro.reg"));
  EXPECT_FALSE(registry.Write("A", DwordValue(1)));
  ASSERT_TRUE(registry.OpenOrCreate());
  EXPECT_FALSE(registry.Write("two\nlines", DwordValue(1)));
  registry.Close();
  EXPECT_FALSE(std::filesystem::exists(registry.path()));
}

TEST(FileRegistry, AFailedStoreRaisesAndClosesTheKey) {
  TempDir dir;
  std::string path = dir.File("gone/Kelvaro.reg");
  FileRegistry registry(path);
  ASSERT_TRUE(registry.OpenOrCreate());
  EXPECT_TRUE(registry.Write("A", DwordValue(1)));
  std::filesystem::remove_all(dir.File("gone"));
  EXPECT_THROW(registry.Close(), FileError);
  EXPECT_FALSE(registry.Read("A").has_value());
}

// Sets an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(FileRegistry, DefaultPathFollowsTheConfigFolder) {
  ScopedEnv home("HOME", "/home/someone");
  {
    ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(FileRegistry::DefaultPath(), "/cfg/Tevrana/Kelvaro.reg");
  }
  for (const char* unusable : {static_cast<const char*>(nullptr), "", "relative/cfg"}) {
    ScopedEnv config("XDG_CONFIG_HOME", unusable);
    EXPECT_EQ(FileRegistry::DefaultPath(), "/home/someone/.config/Tevrana/Kelvaro.reg");
  }
}

}  // namespace
}  // namespace orbisk
