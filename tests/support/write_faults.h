#pragma once
// The ways a file write fails, for the fault tests of every file the program
// writes: a folder that may not be written, a folder standing where the file
// should go, and a disk that fills part-way through the write.

#include <cstddef>
#include <filesystem>
#include <map>
#include <string>

namespace orbisk::testing {

// A folder's files and their bytes (sub-folders as "name/").
std::map<std::string, std::string> FolderContent(const std::filesystem::path& folder);

// Makes `folder` refuse new files and returns the path of a file in it to
// write. Without privileges the folder is made read-only (and writable again
// on destruction); as root, where permission bits do not stop writes, the
// target lies under a regular file instead, which no one can create.
class UnwritableTarget {
 public:
  UnwritableTarget(const std::filesystem::path& folder, const std::string& name);
  ~UnwritableTarget();
  UnwritableTarget(const UnwritableTarget&) = delete;
  UnwritableTarget& operator=(const UnwritableTarget&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::filesystem::path folder_;
  std::string path_;
  bool chmodded_ = false;
};

// While alive, every atomic file write fails once failAfter bytes are
// written, as on a full disk (failAfter 0: the first write fails).
class DiskFull {
 public:
  explicit DiskFull(std::size_t failAfter);
  ~DiskFull();
  DiskFull(const DiskFull&) = delete;
  DiskFull& operator=(const DiskFull&) = delete;
};

// Atomic writes go in pieces of this size; a file larger than that fails
// half-way with DiskFull(kWritePiece).
inline constexpr std::size_t kWritePiece = 1 << 16;

}  // namespace orbisk::testing
