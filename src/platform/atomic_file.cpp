#include "platform/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <sys/stat.h>
#include <vector>

#include "platform/error.h"

namespace orbisk {

namespace {

std::function<bool(std::size_t)>& WriteFault() {
  static std::function<bool(std::size_t)> fault;
  return fault;
}

[[noreturn]] void CannotCreate(const std::string& path) {
  throw FileError(FormatMessage("Не могу создать файл %s", path));
}

// Writes everything or returns false.
bool WriteAll(int fd, const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    if (WriteFault() && WriteFault()(written)) {
      errno = ENOSPC;
      return false;
    }
    // In pieces, so that a failure part-way through can be injected.
    std::size_t piece = std::min<std::size_t>(bytes.size() - written, 1 << 16);
    ssize_t n = ::write(fd, bytes.data() + written, piece);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    written += static_cast<std::size_t>(n);
  }
  return true;
}

// The replaced file keeps its permissions; a new one gets the usual 0666
// less the umask (mkstemp would leave it at 0600).
mode_t ModeFor(const std::string& path) {
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
  std::filesystem::path target(path);
  if (path.empty() || std::filesystem::is_directory(target)) CannotCreate(path);

  std::filesystem::path folder = target.parent_path();
  std::string pattern =
      (folder.empty() ? std::filesystem::path(".") : folder).string() + "/." + target.filename().string() + ".XXXXXX";
  std::vector<char> tempName(pattern.begin(), pattern.end());
  tempName.push_back('\0');
  int fd = ::mkstemp(tempName.data());
  if (fd < 0) CannotCreate(path);
  ::fchmod(fd, ModeFor(path));

  bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (!ok) {
    ::unlink(tempName.data());
    throw FileError("Stream write error");
  }
  if (::rename(tempName.data(), path.c_str()) != 0) {
    ::unlink(tempName.data());
    CannotCreate(path);
  }
}

void SetWriteFaultForTesting(std::function<bool(std::size_t)> fault) { WriteFault() = std::move(fault); }

}  // namespace orbisk
