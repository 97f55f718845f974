#include "platform/write_target.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string_view>
#include <vector>

namespace orbisk {

namespace {

constexpr int kMaxLinkHops = 40;  // as the kernel's own limit for a path

// The number of a descriptor named by digits alone, or -1.
int DescriptorNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 9) return -1;
  int fd = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return -1;
    fd = fd * 10 + (c - '0');
  }
  return fd;
}

// The descriptor of this process that path names (/dev/fd/N, /proc/self/fd/N,
// /proc/thread-self/fd/N, /proc/<own pid>/fd/N), or -1. Such a name is a
// window onto an open file: it is written where the descriptor points.
int OwnDescriptorOf(std::string_view path) {
  const std::string ownProc = "/proc/" + std::to_string(::getpid()) + "/fd/";
  for (std::string_view prefix : {std::string_view("/dev/fd/"), std::string_view("/proc/self/fd/"),
                                  std::string_view("/proc/thread-self/fd/"), std::string_view(ownProc)}) {
    if (path.starts_with(prefix)) return DescriptorNumber(path.substr(prefix.size()));
  }
  return -1;
}

TargetKind KindOf(const struct stat& info) {
  if (S_ISREG(info.st_mode)) return TargetKind::Regular;
  if (S_ISFIFO(info.st_mode)) return TargetKind::Fifo;
  if (S_ISCHR(info.st_mode)) return TargetKind::CharDevice;
  return TargetKind::Unwritable;
}

// The text of the symbolic link at path, or nothing.
std::optional<std::string> LinkText(const std::string& path) {
  std::vector<char> buffer(PATH_MAX + 1);
  ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size()) return std::nullopt;
  return std::string(buffer.data(), static_cast<std::size_t>(n));
}

// A missing target can be created only in an existing folder.
std::optional<WriteTarget> MissingTarget(const std::string& path) {
  struct stat folder {};
  if (BaseNameOf(path).empty() || ::stat(FolderOf(path).c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)) {
    return std::nullopt;
  }
  WriteTarget target;
  target.path = path;
  target.kind = TargetKind::Missing;
  return target;
}

// Whether a new file made by this process can take over the owner and group
// of info (always for root; otherwise when they are the user's own).
bool OwnerCanBeKept(const struct stat& info) {
  if (::geteuid() == 0) return true;
  if (info.st_uid != ::geteuid()) return false;
  if (info.st_gid == ::getegid()) return true;
  std::vector<gid_t> groups(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
  int count = ::getgroups(static_cast<int>(groups.size()), groups.data());
  groups.resize(static_cast<std::size_t>(std::max(count, 0)));
  return std::find(groups.begin(), groups.end(), info.st_gid) != groups.end();
}

}  // namespace

bool FolderMayChange(const std::string& path) {
  return ::faccessat(AT_FDCWD, FolderOf(path).c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

std::string FolderOf(const std::string& path) {
  std::string::size_type slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
  std::string::size_type slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::optional<WriteTarget> ResolveWriteTarget(const std::string& path) {
  std::string current = path;
  for (int hop = 0; hop <= kMaxLinkHops && !current.empty(); ++hop) {
    if (int fd = OwnDescriptorOf(current); fd >= 0) {
      WriteTarget target;
      target.path = current;
      target.kind = TargetKind::Stream;
      target.streamFd = fd;
      if (::fstat(fd, &target.info) != 0) return std::nullopt;  // not open
      return target;
    }
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0) {
      if (errno == ENOENT) return MissingTarget(current);
      return std::nullopt;
    }
    if (!S_ISLNK(info.st_mode)) {
      WriteTarget target;
      target.path = current;
      target.kind = KindOf(info);
      target.info = info;
      return target;
    }
    std::optional<std::string> link = LinkText(current);
    if (!link) return std::nullopt;
    current = link->front() == '/' ? *link : FolderOf(current) + "/" + *link;
  }
  return std::nullopt;
}

bool RewrittenInPlace(const WriteTarget& target) {
  return target.kind == TargetKind::Regular && (target.info.st_nlink > 1 || !OwnerCanBeKept(target.info));
}

bool MayWrite(const WriteTarget& target) {
  switch (target.kind) {
    case TargetKind::Missing:
      return FolderMayChange(target.path);
    case TargetKind::Regular:
      if (!RewrittenInPlace(target) && !FolderMayChange(target.path)) return false;
      [[fallthrough]];
    case TargetKind::Fifo:
    case TargetKind::CharDevice:
      return (target.info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
             ::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) == 0;
    case TargetKind::Stream:
      return true;  // the descriptor's own mode decides when it is written
    case TargetKind::Unwritable:
      break;
  }
  return false;
}

}  // namespace orbisk
