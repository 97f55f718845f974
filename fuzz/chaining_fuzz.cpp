// The fast chaining against the literal walk, on crossing pools and grids
// drawn from the input: the bytes steer the draws while they last, then a
// generator seeded by them goes on, so short inputs still give pools of a few
// hundred entries. Any difference in the polylines or in the error raised
// aborts.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "contour/hostile_pool.h"
#include "platform/error.h"

namespace {

// The next word of the input, then of a generator seeded by all of it.
class InputWords {
 public:
  InputWords(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {
    for (std::size_t k = 0; k < size; ++k) state_ = (state_ ^ data[k]) * 0x100000001b3ULL;
  }
  std::uint64_t operator()() {
    std::uint64_t word = 0;
    if (at_ < size_) {
      for (int k = 0; k < 8; ++k) word = word << 8 | (at_ < size_ ? data_[at_++] : 0);
      return word;
    }
    std::uint64_t z = state_ += 0x9e3779b97f4a7c15ULL;  // splitmix64
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_, at_ = 0;
  std::uint64_t state_ = 0xcbf29ce484222325ULL;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbisk;
  if (size == 0) return 0;
  static const auto grid = std::make_unique<PolarGrid>();
  InputWords words(data + 1, size - 1);
  testing::HostileDraw draw([&] { return words(); });
  CrossingPool pool;
  if (data[0] % 2 == 0) {
    testing::DrawDomain(draw, *grid);
    testing::DrawPool(draw, pool, 300);
  } else {
    const long double level = testing::DrawGrid(draw, *grid);
    std::int32_t stage = 0;
    try {
      GatherCrossings(*grid, level, pool, stage);
    } catch (const Error&) {
      return 0;
    }
  }
  const std::string difference = testing::ChainingDifference(pool, *grid);
  if (!difference.empty()) {
    std::fprintf(stderr, "chaining differs from the literal walk: %s\n", difference.c_str());
    std::abort();
  }
  return 0;
}
