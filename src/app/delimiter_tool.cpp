#include "app/delimiter_tool.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <sys/stat.h>

#include "platform/atomic_file.h"
#include "platform/error.h"

namespace orbisk {

namespace {

// The whole content of a regular file, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::optional<std::string> bytes;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode)) {
    bytes.emplace();
    char buffer[65536];
    while (true) {
      ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        bytes.reset();
        break;
      }
      if (n == 0) break;
      bytes->append(buffer, static_cast<std::size_t>(n));
    }
  }
  ::close(fd);
  return bytes;
}

// Rewrites src into dst with every byte of the lines passed through op.
template <typename Op>
void RewriteFile(const std::string& src, const std::string& dst, Op op) {
  std::optional<std::string> text = ReadWholeFile(src);
  if (!text) throw FileError(FormatMessage("Не могу открыть файл %s", src));
  for (char& c : *text) {
    if (c != '\r' && c != '\n') c = op(c);
  }
  WriteFileAtomically(dst, WithCrLfLines(*text));
}

}  // namespace

std::string WithCrLfLines(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16 + 2);
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c != '\r' && c != '\n') continue;
    out.append(text, lineStart, i - lineStart);
    out += "\r\n";
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lineStart = i + 1;
  }
  if (lineStart < text.size()) {
    out.append(text, lineStart, std::string::npos);
    out += "\r\n";
  }
  return out;
}

void ReplaceCharInFile(const std::string& src, const std::string& dst, char from, char to) {
  RewriteFile(src, dst, [=](char c) { return c == from ? to : c; });
}

void ExchangeCharsInFile(const std::string& src, const std::string& dst, char first, char second) {
  RewriteFile(src, dst, [=](char c) { return c == first ? second : c == second ? first : c; });
}

}  // namespace orbisk
