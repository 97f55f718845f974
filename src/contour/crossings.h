#pragma once
// The crossings of one contour level with the edges of the polar grid.

#include <cstdint>
#include <memory>

#include "polar_data/polar_grid.h"
#include "store/list_ext.h"

namespace orbisk {

// The crossings of one level, entry k of both lists being crossing k.
struct CrossingPool {
  TListExt Fi;  // angles, radians
  TListExt R;   // radii
};

// The crossings of one level as two arrays, entry k of both being crossing k,
// whose memory is kept from one level to the next.
class CrossingBuffer {
 public:
  std::int32_t Count() const { return count_; }
  const long double* Fi() const { return fi_.get(); }  // angles, radians
  const long double* R() const { return r_.get(); }    // radii
  // Empties the buffer with room for n crossings (old contents are lost).
  void Reset(std::int32_t n);
  // Appends a crossing; the room given to Reset must not be exceeded.
  void Append(long double fi, long double r);

 private:
  std::unique_ptr<long double[]> fi_, r_;
  std::int32_t count_ = 0, capacity_ = 0;
};

class NodeSides;

// Working memory of gathering, kept from one level to the next.
class GatherScratch {
 public:
  GatherScratch();
  ~GatherScratch();
  NodeSides& Sides() { return *sides_; }

 private:
  std::unique_ptr<NodeSides> sides_;
};

// True when a <= x <= b or b <= x <= a.
bool Between(long double x, long double a, long double b);

// Replaces the contents of out with the crossings of `level` in the fixed
// order: radial edges row by row (inner to outer), then per radius column the
// arc edges by increasing angle followed by the closing edge from row NFi-1 to
// row 0. `stage` is set to 0 while radial edges are gathered and to 1
// afterwards. A crossing whose interpolation fails (or D = 0) lies on the
// edge's first node.
void GatherCrossings(const PolarGrid& grid, long double level, CrossingBuffer& out, GatherScratch& scratch,
                     std::int32_t& stage);

// The same, appended to pool (left as it was when gathering fails).
void GatherCrossings(const PolarGrid& grid, long double level, CrossingPool& pool, std::int32_t& stage);

}  // namespace orbisk
