#pragma once
// A fresh temporary folder for one test, removed with everything in it.

#include <filesystem>
#include <string>

namespace orbisk::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Path of a file in the folder.
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Whole content of a file as bytes; empty when it cannot be read.
std::string ReadFile(const std::string& path);
// Writes bytes to a file, replacing it.
void WriteFile(const std::string& path, const std::string& bytes);

}  // namespace orbisk::testing
