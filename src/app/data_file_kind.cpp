#include "app/data_file_kind.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "polar_data/token_reader.h"

namespace orbisk {

namespace {

// The tokens as the readers see them: bytes 0..32 separate, byte 26 ends.
std::vector<std::string_view> Tokens(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\x1A'));
  std::vector<std::string_view> tokens;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    while (pos < bytes.size() && static_cast<unsigned char>(bytes[pos]) <= 32) ++pos;
    const std::size_t start = pos;
    while (pos < bytes.size() && static_cast<unsigned char>(bytes[pos]) > 32) ++pos;
    if (pos > start) tokens.push_back(bytes.substr(start, pos - start));
  }
  return tokens;
}

std::optional<std::int64_t> IntegerAt(const std::vector<std::string_view>& tokens, std::size_t index) {
  if (index >= tokens.size()) return std::nullopt;
  TokenReader reader(tokens[index]);
  const std::int32_t value = reader.ReadInteger();
  if (reader.Failed()) return std::nullopt;
  return value;
}

bool IsGridCount(std::optional<std::int64_t> count) { return count && *count >= 2 && *count <= 256; }

bool CylHeaderFits(const std::vector<std::string_view>& tokens) {
  return IsGridCount(IntegerAt(tokens, 0)) && IsGridCount(IntegerAt(tokens, 3));
}

bool IsExactCylData(const std::vector<std::string_view>& tokens) {
  if (!CylHeaderFits(tokens)) return false;
  return tokens.size() == 6 + static_cast<std::size_t>(*IntegerAt(tokens, 0) * *IntegerAt(tokens, 3));
}

bool IsExactPolarData(const std::vector<std::string_view>& tokens) {
  const std::optional<std::int64_t> lines = IntegerAt(tokens, 0);
  if (!lines || *lines < 0) return false;
  std::size_t pos = 3;
  for (std::int64_t k = 0; k < *lines; ++k) {
    const std::optional<std::int64_t> points = IntegerAt(tokens, pos);
    if (!points || *points < 0 || *points > static_cast<std::int64_t>(tokens.size())) return false;
    pos += 1 + 2 * static_cast<std::size_t>(*points);
  }
  return pos == tokens.size();
}

}  // namespace

DataFileKind GuessDataFileKind(std::string_view bytes) {
  const std::vector<std::string_view> tokens = Tokens(bytes);
  if (IsExactCylData(tokens)) return DataFileKind::CylData;
  if (IsExactPolarData(tokens)) return DataFileKind::PolarData;
  return CylHeaderFits(tokens) ? DataFileKind::CylData : DataFileKind::PolarData;
}

}  // namespace orbisk
