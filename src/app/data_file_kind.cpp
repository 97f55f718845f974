#include "app/data_file_kind.h"

#include <cstdint>
#include <optional>

#include "polar_data/token_reader.h"

namespace orbisk {

namespace {

// The tokens as the readers see them, one after another: bytes 0..32
// separate, byte 26 ends. Nothing is kept, so that telling a file of
// millions of numbers costs one pass over its bytes.
class TokenScanner {
 public:
  explicit TokenScanner(std::string_view bytes) : bytes_(bytes.substr(0, bytes.find('\x1A'))) {}

  // The next token into token; false at the end.
  bool Next(std::string_view& token) {
    while (pos_ < bytes_.size() && static_cast<unsigned char>(bytes_[pos_]) <= 32) ++pos_;
    const std::size_t start = pos_;
    while (pos_ < bytes_.size() && static_cast<unsigned char>(bytes_[pos_]) > 32) ++pos_;
    token = bytes_.substr(start, pos_ - start);
    return pos_ > start;
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

std::optional<std::int64_t> IntegerOf(std::string_view token) {
  TokenReader reader(token);
  const std::int32_t value = reader.ReadInteger();
  if (reader.Failed()) return std::nullopt;
  return value;
}

bool IsGridCount(std::optional<std::int64_t> count) { return count && *count >= 2 && *count <= 256; }

// What one pass over the tokens tells: the first and fourth numbers (a grid's
// counts), how many tokens there are, and whether they make polylines exactly
// (n, then n polylines of a count m >= 0 and 2m numbers each).
struct TokenCensus {
  std::optional<std::int64_t> first, fourth;
  std::uint64_t tokens = 0;
  bool exactPolylines = false;
};

TokenCensus CensusOf(std::string_view bytes) {
  TokenCensus census;
  std::int64_t linesCounted = 0;
  std::uint64_t nextCount = 3;  // the place of the next polyline's count
  bool polylinesFit = false;  // until a first number n >= 0
  TokenScanner scanner(bytes);
  std::uint64_t place = 0;
  for (std::string_view token; scanner.Next(token); ++place) {
    if (place == 0) {
      census.first = IntegerOf(token);
      polylinesFit = census.first && *census.first >= 0;
    }
    if (place == 3) census.fourth = IntegerOf(token);
    if (polylinesFit && place == nextCount && linesCounted < *census.first) {
      const std::optional<std::int64_t> points = IntegerOf(token);
      polylinesFit = points && *points >= 0;
      if (polylinesFit) nextCount += 1 + 2 * static_cast<std::uint64_t>(*points), ++linesCounted;
    }
  }
  census.tokens = place;
  census.exactPolylines = polylinesFit && linesCounted == *census.first && nextCount == place;
  return census;
}

}  // namespace

DataFileKind GuessDataFileKind(std::string_view bytes) {
  const TokenCensus census = CensusOf(bytes);
  const bool gridHeader = IsGridCount(census.first) && IsGridCount(census.fourth);
  if (gridHeader && census.tokens == 6 + static_cast<std::uint64_t>(*census.first * *census.fourth)) {
    return DataFileKind::CylData;
  }
  if (census.exactPolylines) return DataFileKind::PolarData;
  return gridHeader ? DataFileKind::CylData : DataFileKind::PolarData;
}

}  // namespace orbisk
