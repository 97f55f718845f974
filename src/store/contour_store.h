#pragma once
// The contour store: two parallel ordered lists of polylines, angles in
// LinesFi and radii in LinesR. Entry k of both is polyline k; an entry may
// hold no list at all after a load that failed half-way. Polylines traced from
// a grid also know their level, in a third parallel list.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "store/list_ext.h"

namespace orbisk {

// An ordered list of owned point lists, with the program's list errors.
class PolylineList {
 public:
  std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
  // New entries hold no list; n outside 0..kMaxListSize raises
  // "List count out of bounds (%d)".
  void SetCount(std::int32_t n);
  // Reserves room for n entries without changing Count.
  void Reserve(std::int32_t n);
  // Appends an owned list and returns its index.
  std::int32_t Add(std::unique_ptr<TListExt> list);
  // Puts an owned list at index (0..Count-1), freeing what was there.
  void Put(std::int32_t index, std::unique_ptr<TListExt> list);
  // The list at index, or nullptr for an empty entry.
  TListExt* Get(std::int32_t index) const;
  void Clear() { items_.clear(); }

 private:
  void CheckIndex(std::int32_t index) const;
  std::vector<std::unique_ptr<TListExt>> items_;
};

struct ContourStore {
  PolylineList LinesFi;  // angles in radians, one list per polyline
  PolylineList LinesR;   // radii, one list per polyline
  // The level of each traced polyline, entry k for polyline k; empty when the
  // polylines came without levels (a Polar Data file).
  std::vector<long double> Levels;

  // Frees every polyline list and leaves all three lists empty.
  void ClearLines() {
    LinesFi.Clear();
    LinesR.Clear();
    Levels.clear();
  }
  // Gives level to every polyline added since the last call: the tracer calls
  // it once a level's polylines are stored.
  void TagNewPolylines(long double level) { Levels.resize(static_cast<std::size_t>(LinesFi.Count()), level); }
  // True when every polyline has its level.
  bool HasLevels() const { return !Levels.empty() && Levels.size() == static_cast<std::size_t>(LinesFi.Count()); }
  // The level of polyline k (0..Count-1), when every polyline has one.
  std::optional<long double> LevelOf(std::int32_t k) const {
    if (!HasLevels() || k < 0 || k >= LinesFi.Count()) return std::nullopt;
    return Levels[static_cast<std::size_t>(k)];
  }
};

}  // namespace orbisk
