#include "platform/file_registry.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

#include "platform/atomic_file.h"
#include "platform/write_target.h"

namespace orbisk {

namespace {

// A settings file is a few kilobytes; anything far larger is not one, and is
// refused before it is read into memory.
constexpr off_t kMaxFileSize = 1 << 20;

std::string LowerAscii(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

// The key may be written when the writer accepts its file and the file's
// folder may change: the settings file is always replaced whole, never
// rewritten in a folder its user may not change.
bool KeyMayBeWritten(const std::string& path) {
  std::optional<WriteTarget> target = ResolveWriteTarget(path);
  return target && MayWrite(*target) && FolderMayChange(target->path);
}

enum class ReadResult { Ok, Missing, Unreadable };

ReadResult ReadSmallFile(const std::string& path, std::string& bytes, bool& tooLarge) {
  tooLarge = false;
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);  // a FIFO never waits
  if (fd < 0) return errno == ENOENT ? ReadResult::Missing : ReadResult::Unreadable;
  struct stat st {};
  ReadResult result = ReadResult::Ok;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    result = ReadResult::Unreadable;
  } else if (st.st_size > kMaxFileSize) {
    tooLarge = true;
  } else {
    char buffer[8192];
    while (true) {
      ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        result = ReadResult::Unreadable;
        break;
      }
      if (n == 0) break;
      bytes.append(buffer, static_cast<std::size_t>(n));
      if (bytes.size() > static_cast<std::size_t>(kMaxFileSize)) {  // grew while read
        tooLarge = true;
        break;
      }
    }
  }
  ::close(fd);
  return result;
}

}  // namespace

FileRegistry::FileRegistry() : FileRegistry(DefaultPath()) {}

FileRegistry::FileRegistry(std::string path) : path_(std::move(path)) {}

std::string FileRegistry::DefaultPath() {
  std::string base;
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') {  // a relative value is to be ignored
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
      const passwd* entry = ::getpwuid(::getuid());
      home = entry != nullptr ? entry->pw_dir : ".";
    }
    base = std::string(home) + "/.config";
  }
  return base + "/Tevrana/Kelvaro.reg";
}

void FileRegistry::Reset() {
  open_ = false;
  writable_ = false;
  changed_ = false;
  malformed_ = false;
  values_.clear();
  index_.clear();
}

bool FileRegistry::Load() {
  Reset();
  std::string bytes;
  bool tooLarge = false;
  if (ReadSmallFile(path_, bytes, tooLarge) != ReadResult::Ok) return false;
  std::optional<RegistryEntries> entries;
  if (!tooLarge) entries = ParseRegistryText(bytes);
  if (!entries) {
    malformed_ = true;
    return false;
  }
  for (auto& [name, value] : *entries) {
    auto [it, inserted] = index_.emplace(LowerAscii(name), values_.size());
    if (inserted) {
      values_.emplace_back(std::move(name), std::move(value));
    } else {
      values_[it->second].second = std::move(value);  // the last of a repeated name holds
    }
  }
  return true;
}

bool FileRegistry::Open(RegistryAccess access) {
  if (!Load()) {
    Reset();
    return false;
  }
  if (access == RegistryAccess::Full && !KeyMayBeWritten(path_)) {
    Reset();
    return false;
  }
  open_ = true;
  writable_ = access == RegistryAccess::Full;
  return true;
}

bool FileRegistry::OpenOrCreate() {
  std::filesystem::path file(path_);
  std::error_code error;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), error);
  if (error) return false;

  bool loaded = Load();
  bool missing = !loaded && !malformed_ && !std::filesystem::exists(file, error) && !error;
  // A malformed file is replaced whole by what is written now; a key that may
  // not be written does not open, so nothing is written and nothing shown.
  if ((!loaded && !malformed_ && !missing) || !KeyMayBeWritten(path_)) {
    Reset();
    return false;
  }
  if (!loaded) Reset();
  open_ = true;
  writable_ = true;
  return true;
}

std::optional<RegistryValue> FileRegistry::Read(const std::string& name) const {
  if (!open_) return std::nullopt;
  auto it = index_.find(LowerAscii(name));
  if (it == index_.end()) return std::nullopt;
  return values_[it->second].second;
}

bool FileRegistry::Write(const std::string& name, const RegistryValue& value) {
  if (!open_ || !writable_) return false;
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) return false;  // a name must fit on its line
  }
  auto [it, inserted] = index_.emplace(LowerAscii(name), values_.size());
  if (inserted) {
    values_.emplace_back(name, value);
  } else {
    values_[it->second].second = value;
  }
  changed_ = true;
  return true;
}

void FileRegistry::Close() {
  bool store = open_ && writable_ && changed_;
  std::string text = store ? FormatRegistryText(values_) : std::string();
  Reset();
  if (store) WriteFileAtomically(path_, text);
}

}  // namespace orbisk
