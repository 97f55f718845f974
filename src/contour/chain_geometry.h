#pragma once
// The extended-precision geometry of chaining. Every distance the chaining
// compares goes through these, so that any two ways of chaining compute the
// very same values.

#include <math.h>

#include <cmath>

namespace orbisk {

struct PlanePoint {
  long double x = 0;
  long double y = 0;
};

// sinl(fi) and cosl(fi), by the same kernels with one argument reduction.
inline void SineAndCosine(long double fi, long double& sine, long double& cosine) { ::sincosl(fi, &sine, &cosine); }

// Cartesian position of the point at angle fi (radians) and radius r.
inline PlanePoint PositionOf(long double fi, long double r) {
  long double sine, cosine;
  SineAndCosine(fi, sine, cosine);
  return {r * cosine, r * sine};
}

// Euclidean distance, rounded step by step in extended precision.
inline long double DistanceOf(const PlanePoint& from, const PlanePoint& to) {
  const long double dx = to.x - from.x;
  const long double dy = to.y - from.y;
  return std::sqrt(dx * dx + dy * dy);
}

}  // namespace orbisk
