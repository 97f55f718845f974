#include "polar_data/file_input.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <sys/stat.h>

#include "platform/error.h"

namespace orbisk {

namespace {

[[noreturn]] void CannotOpen(int error) {
  if (error == ENOENT || error == ENOTDIR) throw FileError("File not found");
  if (error == EACCES || error == EPERM || error == EISDIR) throw FileError("File access denied");
  throw FileError("File read error");
}

// Closes the descriptor on every way out.
struct FdCloser {
  int fd;
  ~FdCloser() { ::close(fd); }
};

}  // namespace

std::string ReadDataFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) CannotOpen(errno);
  FdCloser closer{fd};
  struct stat info {};
  if (::fstat(fd, &info) != 0) CannotOpen(errno);
  if (S_ISDIR(info.st_mode)) CannotOpen(EISDIR);

  std::string bytes;
  if (S_ISREG(info.st_mode) && info.st_size > 0) bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError("File read error");
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return bytes;
}

}  // namespace orbisk
