#include "platform/error.h"

#include <cerrno>
#include <filesystem>
#include <new>
#include <system_error>

namespace orbisk {

MathError::MathError(MathErrorKind kind) : Error(MessageFor(kind)), kind_(kind) {}

const char* MathError::MessageFor(MathErrorKind kind) {
  switch (kind) {
    case MathErrorKind::InvalidOperation:
      return "Invalid floating point operation";
    case MathErrorKind::DivisionByZero:
      return "Floating point division by zero";
    case MathErrorKind::Overflow:
      return "Floating point overflow";
  }
  return "Invalid floating point operation";
}

namespace {

std::string ReplaceFirst(const std::string& pattern, const std::string& placeholder, const std::string& text) {
  std::string::size_type at = pattern.find(placeholder);
  if (at == std::string::npos) return pattern;
  return pattern.substr(0, at) + text + pattern.substr(at + placeholder.size());
}

}  // namespace

std::string FormatMessage(const std::string& pattern, const std::string& text) {
  return ReplaceFirst(pattern, "%s", text);
}

std::string FormatMessage(const std::string& pattern, long long value) {
  return ReplaceFirst(pattern, "%d", std::to_string(value));
}

namespace {

// The length of the well-formed UTF-8 sequence at the start of s that is not
// a C1 control character, or 0.
std::size_t PrintableUtf8Length(std::string_view s) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  unsigned char lead = byte(0);
  std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || length > s.size() || lead > 0xF4) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
  }
  if (lead == 0xC2 && byte(1) < 0xA0) return 0;   // U+0080..U+009F
  if (lead == 0xE0 && byte(1) < 0xA0) return 0;   // overlong
  if (lead == 0xED && byte(1) >= 0xA0) return 0;  // surrogates
  if (lead == 0xF0 && byte(1) < 0x90) return 0;   // overlong
  if (lead == 0xF4 && byte(1) >= 0x90) return 0;  // beyond U+10FFFF
  return length;
}

}  // namespace

std::string EscapeControlBytes(const std::string& name) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(name.size());
  for (std::size_t i = 0; i < name.size();) {
    auto c = static_cast<unsigned char>(name[i]);
    std::size_t length = c >= 0x20 && c < 0x7F ? 1
                         : c >= 0x80           ? PrintableUtf8Length(std::string_view(name).substr(i))
                                               : 0;
    if (length > 0) {
      out.append(name, i, length);
      i += length;
    } else {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
      ++i;
    }
  }
  return out;
}

std::string FileMessage(const std::string& pattern, const std::string& path) {
  return FormatMessage(pattern, EscapeControlBytes(path));
}

namespace {

std::string FileSystemMessage(const std::error_code& code) {
  switch (code.value()) {
    case ENOENT:
    case ENOTDIR:
      return "File not found";
    case EACCES:
    case EPERM:
    case EROFS:
      return "File access denied";
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
      return "Stream write error";
    default:
      return "File access error";
  }
}

}  // namespace

std::string MessageOf(const std::exception& error) {
  if (dynamic_cast<const Error*>(&error) != nullptr) return error.what();
  if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) return "Out of memory";
  if (dynamic_cast<const std::length_error*>(&error) != nullptr) return "Out of memory";
  if (const auto* fs = dynamic_cast<const std::filesystem::filesystem_error*>(&error)) {
    return FileSystemMessage(fs->code());
  }
  if (const auto* system = dynamic_cast<const std::system_error*>(&error)) {
    if (system->code().category() == std::generic_category() || system->code().category() == std::system_category())
      return FileSystemMessage(system->code());
  }
  return error.what();
}

}  // namespace orbisk
