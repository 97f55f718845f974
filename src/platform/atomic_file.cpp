#include "platform/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <mutex>
#include <new>
#include <sys/stat.h>

#include "platform/error.h"
#include "platform/write_cleanup.h"
#include "platform/write_target.h"

namespace orbisk {

namespace {

std::function<bool(std::size_t)>& WriteFault() {
  static std::function<bool(std::size_t)> fault;
  return fault;
}

// A write past the file-size limit or into a pipe without reader must fail
// with EFBIG or EPIPE and be reported, not end the process.
void IgnoreWriteSignals() {
  static std::once_flag once;
  std::call_once(once, [] {
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
  });
}

[[noreturn]] void CannotCreate(const std::string& path) {
  throw FileError(FileMessage("Не могу создать файл %s", path));
}

[[noreturn]] void StreamWriteError() { throw FileError("Stream write error"); }

// Closes the descriptor on every way out.
struct FdCloser {
  int fd;
  ~FdCloser() {
    if (fd >= 0) ::close(fd);
  }
};

// Writes everything at the descriptor's offset, or returns false.
bool WriteAll(int fd, const std::string& bytes, bool faultsApply = true) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    if (faultsApply && WriteFault() && WriteFault()(written)) {
      errno = ENOSPC;
      return false;
    }
    // In pieces, so that a failure part-way through can be injected.
    std::size_t piece = std::min<std::size_t>(bytes.size() - written, 1 << 16);
    ssize_t n = ::write(fd, bytes.data() + written, piece);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

// A short hidden name that always fits the folder's name limit.
std::string TemporaryName(unsigned attempt) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  auto seed = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  seed ^= static_cast<unsigned long long>(::getpid()) << 20 ^ attempt * 0x9E3779B97F4A7C15ULL;
  std::string name = ".orbisk-";
  for (int i = 0; i < 6; ++i, seed /= 62) name += kLetters[seed % 62];
  return name;
}

// Creates the temporary file in the folder open as dirFd, registered for
// removal on an interrupting signal; -1 when no file can be created there.
int CreateTemporary(int dirFd, std::string& name) {
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    name = TemporaryName(attempt);
    BeginTemporaryFile(dirFd, name);
    int fd = ::openat(dirFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) return fd;
    EndTemporaryFile();
    if (errno != EEXIST) break;
  }
  return -1;
}

// The mode and owner of the replaced file, or 0666 less the umask for a new one.
void TakeOverAttributes(int fd, const WriteTarget& target) {
  if (target.kind == TargetKind::Missing) {
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    return;
  }
  // RewrittenInPlace made sure that the owner can be kept.
  [[maybe_unused]] int owned = ::fchown(fd, target.info.st_uid, target.info.st_gid);
  ::fchmod(fd, target.info.st_mode & 07777);
}

void ReplaceByRename(const WriteTarget& target, const std::string& shownPath, const std::string& bytes) {
  int dirFd = ::open(FolderOf(target.path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) dirFd = ::open(FolderOf(target.path).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) CannotCreate(shownPath);
  FdCloser dirCloser{dirFd};
  std::string name;
  int fd = CreateTemporary(dirFd, name);
  if (fd < 0) CannotCreate(shownPath);
  TakeOverAttributes(fd, target);
  bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  written = ::close(fd) == 0 && written;
  bool renamed = written && ::renameat(dirFd, name.c_str(), dirFd, BaseNameOf(target.path).c_str()) == 0;
  if (!renamed) ::unlinkat(dirFd, name.c_str(), 0);
  EndTemporaryFile();
  if (!written) StreamWriteError();
  if (!renamed) CannotCreate(shownPath);
  ::fsync(dirFd);  // the rename reaches the disk too (a folder opened by path alone refuses, harmlessly)
}

// The whole content of the file open as fd, read from its start.
bool ReadBack(int fd, std::string& content) {
  char buffer[65536];
  off_t at = 0;
  for (;;) {
    ssize_t n = ::pread(fd, buffer, sizeof buffer, at);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    content.append(buffer, static_cast<std::size_t>(n));
    at += n;
  }
}

bool OverwriteFromStart(int fd, const std::string& bytes, bool faultsApply) {
  return ::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, bytes, faultsApply) &&
         ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
}

// Rewrites a regular file through its own inode, so that every hard link and
// the owner stay; a failure puts the old content back.
void RewriteInPlace(const WriteTarget& target, const std::string& shownPath, const std::string& bytes) {
  int fd = ::open(target.path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) CannotCreate(shownPath);
  FdCloser closer{fd};
  std::string old;
  try {
    if (!ReadBack(fd, old)) CannotCreate(shownPath);
  } catch (const std::bad_alloc&) {
    throw FileError("Out of memory");
  }
  BeginInPlaceRewrite(fd, old);
  bool ok = OverwriteFromStart(fd, bytes, true);
  // The old content fitted before, so putting it back cannot meet the
  // file-size limit or need more room than it had.
  if (!ok) OverwriteFromStart(fd, old, false);
  EndInPlaceRewrite();
  if (!ok) StreamWriteError();
}

// A FIFO or a character device: opened for writing without waiting (a FIFO
// without a reader is refused), then written as it is.
void WriteDevice(const WriteTarget& target, const std::string& shownPath, const std::string& bytes) {
  int fd = ::open(target.path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) CannotCreate(shownPath);
  FdCloser closer{fd};
  int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) CannotCreate(shownPath);
  if (!WriteAll(fd, bytes)) StreamWriteError();
}

}  // namespace

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
  IgnoreWriteSignals();
  std::optional<WriteTarget> target = ResolveWriteTarget(path);
  if (!target || !MayWrite(*target)) CannotCreate(path);
  switch (target->kind) {
    case TargetKind::Missing:
    case TargetKind::Regular:
      if (RewrittenInPlace(*target)) {
        RewriteInPlace(*target, path, bytes);
      } else {
        ReplaceByRename(*target, path, bytes);
      }
      return;
    case TargetKind::Fifo:
    case TargetKind::CharDevice:
      WriteDevice(*target, path, bytes);
      return;
    case TargetKind::Stream:
      if (!WriteAll(target->streamFd, bytes)) StreamWriteError();
      return;
    case TargetKind::Unwritable:
      break;
  }
  CannotCreate(path);
}

bool MayWriteFile(const std::string& path) {
  std::optional<WriteTarget> target = ResolveWriteTarget(path);
  return target && MayWrite(*target);
}

void SetWriteFaultForTesting(std::function<bool(std::size_t)> fault) { WriteFault() = std::move(fault); }

}  // namespace orbisk
