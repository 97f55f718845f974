#include "platform/registry_text.h"

#include <cstdint>
#include <string_view>

namespace orbisk {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::size_t kHexLineWidth = 76;  // wrap hex data before this column

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = LowerAscii(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// 1 to 8 hexadecimal digits and nothing else.
std::optional<std::uint32_t> ParseHex32(std::string_view s) {
  if (s.empty() || s.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : s) {
    int d = HexDigit(c);
    if (d < 0) return std::nullopt;
    value = (value << 4) | static_cast<std::uint32_t>(d);
  }
  return value;
}

// Lines without their LF or CR LF ends.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// A quoted text with \\ and \" escapes starting at s[0] == '"'; on success s is
// left after the closing quote.
std::optional<std::string> ParseQuoted(std::string_view& s) {
  if (s.empty() || s.front() != '"') return std::nullopt;
  std::string text;
  for (std::size_t i = 1; i < s.size(); ++i) {
    char c = s[i];
    if (c == '"') {
      s.remove_prefix(i + 1);
      return text;
    }
    if (c == '\\') {
      if (++i == s.size() || (s[i] != '\\' && s[i] != '"')) return std::nullopt;
      c = s[i];
    }
    text += c;
  }
  return std::nullopt;
}

// Comma-separated bytes of two hexadecimal digits; empty means no bytes.
std::optional<std::string> ParseHexBytes(std::string_view s) {
  std::string bytes;
  s = Trim(s);
  if (s.empty()) return bytes;
  while (true) {
    std::size_t comma = s.find(',');
    std::string_view token = Trim(s.substr(0, comma));
    if (token.size() != 2 || HexDigit(token[0]) < 0 || HexDigit(token[1]) < 0) return std::nullopt;
    bytes += static_cast<char>(HexDigit(token[0]) * 16 + HexDigit(token[1]));
    if (comma == std::string_view::npos) return bytes;
    s.remove_prefix(comma + 1);
  }
}

// The data after "=": a quoted string, dword:, hex: or hex(N):. Hex data may
// continue on the following lines after a trailing backslash; next is advanced
// past the lines taken.
std::optional<RegistryValue> ParseData(std::string_view data, const std::vector<std::string_view>& lines,
                                       std::size_t& next) {
  if (!data.empty() && data.front() == '"') {
    std::optional<std::string> text = ParseQuoted(data);
    if (!text || !Trim(data).empty()) return std::nullopt;
    return RegistryValue{RegistryType::String, *text + '\0'};
  }
  if (data.starts_with("dword:")) {
    std::optional<std::uint32_t> value = ParseHex32(Trim(data.substr(6)));
    if (!value) return std::nullopt;
    return DwordValue(*value);
  }
  RegistryType type = RegistryType::Binary;
  if (data.starts_with("hex:")) {
    data.remove_prefix(4);
  } else if (data.starts_with("hex(")) {
    std::size_t close = data.find("):");
    if (close == std::string_view::npos) return std::nullopt;
    std::optional<std::uint32_t> code = ParseHex32(data.substr(4, close - 4));
    if (!code) return std::nullopt;
    type = static_cast<RegistryType>(*code);
    data.remove_prefix(close + 2);
  } else {
    return std::nullopt;
  }
  std::string body;
  std::string_view part = Trim(data);
  while (!part.empty() && part.back() == '\\') {
    part.remove_suffix(1);
    body += part;
    if (next == lines.size()) return std::nullopt;
    part = Trim(lines[next++]);
  }
  body += part;
  std::optional<std::string> bytes = ParseHexBytes(body);
  if (!bytes) return std::nullopt;
  return RegistryValue{type, *bytes};
}

void AppendQuoted(std::string& out, const std::string& text) {
  out += '"';
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
}

// Whether bytes are valid UTF-8 without control characters, so that they can
// stand between quotes on one line.
bool IsPlainText(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x20 || c == 0x7F) return false;
    std::size_t extra = 0;
    if (c >= 0x80) {
      if (c >= 0xC2 && c <= 0xDF) {
        extra = 1;
      } else if ((c & 0xF0) == 0xE0) {
        extra = 2;
      } else if (c >= 0xF0 && c <= 0xF4) {
        extra = 3;
      } else {
        return false;
      }
    }
    if (s.size() - i <= extra) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += extra + 1;
  }
  return true;
}

// A string whose data is plain text followed by its single NUL.
bool IsQuotableString(const RegistryValue& value) {
  const std::string& d = value.data;
  return value.type == RegistryType::String && !d.empty() && d.back() == '\0' &&
         IsPlainText(std::string_view(d).substr(0, d.size() - 1));
}

void AppendHexBytes(std::string& out, const std::string& bytes) {
  static const char* const kDigits = "0123456789abcdef";
  std::size_t lineStart = out.rfind('\n') + 1;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    auto b = static_cast<unsigned char>(bytes[i]);
    out += kDigits[b >> 4];
    out += kDigits[b & 0xF];
    if (i + 1 == bytes.size()) break;
    out += ',';
    if (out.size() - lineStart >= kHexLineWidth) {
      out += "\\\n  ";
      lineStart = out.size() - 2;
    }
  }
}

void AppendData(std::string& out, const RegistryValue& value) {
  if (IsQuotableString(value)) {
    AppendQuoted(out, value.data.substr(0, value.data.size() - 1));
    return;
  }
  if (std::optional<std::uint32_t> dword = DwordOf(value)) {
    static const char* const kDigits = "0123456789abcdef";
    out += "dword:";
    for (int shift = 28; shift >= 0; shift -= 4) out += kDigits[(*dword >> shift) & 0xF];
    return;
  }
  if (value.type == RegistryType::Binary) {
    out += "hex:";
  } else {
    static const char* const kDigits = "0123456789abcdef";
    std::string code;
    for (auto t = static_cast<std::uint32_t>(value.type); code.empty() || t != 0; t >>= 4)
      code.insert(code.begin(), kDigits[t & 0xF]);
    out += "hex(" + code + "):";
  }
  AppendHexBytes(out, value.data);
}

}  // namespace

std::string FormatRegistryText(const RegistryEntries& entries) {
  std::string out;
  out += kHeader;
  out += "\n\n[";
  out += kSettingsKeyName;
  out += "]\n";
  for (const auto& [name, value] : entries) {
    if (name.empty()) {
      out += '@';
    } else {
      AppendQuoted(out, name);
    }
    out += '=';
    AppendData(out, value);
    out += '\n';
  }
  out += '\n';
  return out;
}

std::optional<RegistryEntries> ParseRegistryText(const std::string& text) {
  std::string_view all(text);
  if (all.starts_with("\xEF\xBB\xBF")) all.remove_prefix(3);
  std::vector<std::string_view> lines = SplitLines(all);

  RegistryEntries entries;
  bool headerSeen = false;
  bool sectionSeen = false;
  std::size_t next = 0;
  while (next < lines.size()) {
    std::string_view line = Trim(lines[next++]);
    if (line.empty() || line.front() == ';') continue;
    if (!headerSeen) {
      if (line != kHeader) return std::nullopt;
      headerSeen = true;
      continue;
    }
    if (line.front() == '[') {
      if (line.back() != ']' || !EqualsIgnoringCase(line.substr(1, line.size() - 2), kSettingsKeyName)) {
        return std::nullopt;
      }
      sectionSeen = true;
      continue;
    }
    if (!sectionSeen) return std::nullopt;
    std::string name;
    if (line.front() == '@') {
      line.remove_prefix(1);
    } else {
      std::optional<std::string> quoted = ParseQuoted(line);
      if (!quoted) return std::nullopt;
      name = std::move(*quoted);
    }
    line = Trim(line);
    if (line.empty() || line.front() != '=') return std::nullopt;
    std::optional<RegistryValue> value = ParseData(Trim(line.substr(1)), lines, next);
    if (!value) return std::nullopt;
    entries.emplace_back(std::move(name), std::move(*value));
  }
  if (!sectionSeen) return std::nullopt;
  return entries;
}

}  // namespace orbisk
