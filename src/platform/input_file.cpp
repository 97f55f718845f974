#include "platform/input_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <sys/stat.h>

#include "platform/heap_pages.h"

namespace orbisk {

namespace {

InputStatus StatusOfOpenError(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ELOOP:
    case ENAMETOOLONG:
      return InputStatus::NotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
      return InputStatus::AccessDenied;
    default:
      return InputStatus::ReadError;
  }
}

// Closes the descriptor on every way out.
struct FdCloser {
  int fd;
  ~FdCloser() { ::close(fd); }
};

// Appends what fd holds to bytes, stopping once more than limit bytes came.
InputStatus ReadUpTo(int fd, std::size_t limit, std::string& bytes) {
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return InputStatus::ReadError;
    if (n == 0) return InputStatus::Ok;
    bytes.append(buffer, static_cast<std::size_t>(n));
    if (bytes.size() > limit) return InputStatus::TooLarge;
  }
}

InputStatus ReadOpenFile(int fd, std::size_t limit, std::string& bytes) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return InputStatus::ReadError;
  if (S_ISDIR(info.st_mode)) return InputStatus::AccessDenied;
  if (S_ISREG(info.st_mode)) {
    if (static_cast<std::uintmax_t>(info.st_size) > limit) return InputStatus::TooLarge;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    AdviseHugePages(bytes.data(), bytes.capacity());
  }
  if (S_ISFIFO(info.st_mode)) {
    // Opened without waiting: a first read that finds no writer ends at once.
    char first = 0;
    ssize_t n = ::read(fd, &first, 1);
    if (n == 0) return InputStatus::NoWriter;
    if (n == 1) bytes += first;
    if (n < 0 && errno != EAGAIN) return InputStatus::ReadError;
  }
  // Reads wait for data from here on.
  int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) return InputStatus::ReadError;
  return ReadUpTo(fd, limit, bytes);
}

}  // namespace

Input ReadInputFile(const std::string& path, std::size_t limit) {
  Input input;
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    input.status = StatusOfOpenError(errno);
    return input;
  }
  FdCloser closer{fd};
  try {
    input.status = ReadOpenFile(fd, limit, input.bytes);
  } catch (const std::bad_alloc&) {
    input.status = InputStatus::OutOfMemory;
  }
  if (input.status != InputStatus::Ok) std::string().swap(input.bytes);
  return input;
}

std::string MebibytesText(std::size_t bytes) { return std::to_string(bytes >> 20) + " MiB"; }

}  // namespace orbisk
