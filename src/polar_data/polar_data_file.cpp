#include "polar_data/polar_data_file.h"

#include <memory>
#include <new>

#include "platform/error.h"
#include "polar_data/file_input.h"
#include "polar_data/token_reader.h"

namespace orbisk {

namespace {

// Missing tokens at the end read as 0, so a count may exceed what the file
// holds. Counts beyond the bytes left are allowed only up to this many
// entries in total, so that a short file cannot demand gigabytes.
constexpr std::int64_t kUnbackedBudget = 65536;

class CountGuard {
 public:
  explicit CountGuard(const TokenReader& in) : in_(in) {}

  // Raises InputError when count is larger than the rest of the file can
  // hold at bytesPerItem bytes each, beyond what the budget still allows.
  // Negative counts pass: the lists refuse them with their own message.
  void Check(std::int32_t count, std::int64_t bytesPerItem) {
    std::int64_t backed = (static_cast<std::int64_t>(in_.Remaining()) + 1) / bytesPerItem;
    if (count <= backed) return;
    std::int64_t unbacked = count - backed;
    if (unbacked > budget_) {
      throw InputError(FormatMessage("Count %d is larger than the rest of the file can hold", count));
    }
    budget_ -= unbacked;
  }

 private:
  const TokenReader& in_;
  std::int64_t budget_ = kUnbackedBudget;
};

[[noreturn]] void OutOfMemory(std::int32_t count) {
  throw ListError(FormatMessage("Not enough memory for a list of %d entries", count));
}

}  // namespace

void ReadPolarData(std::string_view bytes, ContourStore& store, PolarGrid& grid) {
  TokenReader in(bytes);
  CountGuard guard(in);
  std::int32_t n = in.ReadInteger();
  grid.RInt = in.ReadReal();
  grid.RExt = in.ReadReal();
  in.Check();
  guard.Check(n, 2);  // a polyline takes at least its count and a separator
  try {
    store.LinesFi.SetCount(n);
    store.LinesR.SetCount(n);
  } catch (const std::bad_alloc&) {
    store.ClearLines();  // both lists keep the same length
    OutOfMemory(n);
  }

  for (std::int32_t k = 0; k < n; ++k) {
    std::int32_t m = in.ReadInteger();
    in.Check();
    auto angles = std::make_unique<TListExt>();
    auto radii = std::make_unique<TListExt>();
    TListExt& fi = *angles;
    TListExt& r = *radii;
    store.LinesFi.Put(k, std::move(angles));
    store.LinesR.Put(k, std::move(radii));
    if (m > 0) guard.Check(m, 4);  // a point takes two digits and two separators
    try {
      fi.SetCount(m);
      r.SetCount(m);
    } catch (const std::bad_alloc&) {
      fi.Clear();  // the polyline stays empty rather than lopsided
      r.Clear();
      OutOfMemory(m);
    }
    for (std::int32_t p = 0; p < m; ++p) {
      long double angle = in.ReadReal();
      long double radius = in.ReadReal();
      in.Check();
      fi.Put(p, angle);
      r.Put(p, radius);
    }
  }
}

void ReadPolarDataFile(const std::string& path, ContourStore& store, PolarGrid& grid) {
  store.ClearLines();
  ReadPolarData(ReadDataFile(path, kPolarDataFormat), store, grid);
}

}  // namespace orbisk
