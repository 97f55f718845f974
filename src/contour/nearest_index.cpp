#include "contour/nearest_index.h"

#include <algorithm>
#include <cassert>
#include <numeric>

namespace orbisk {

namespace {

constexpr std::int32_t kLeafSites = 8;

}  // namespace

NearestIndex::NearestIndex(const std::vector<PlanePoint>& positions) {
  const auto count = static_cast<std::int32_t>(positions.size());
  members_.resize(positions.size());
  std::iota(members_.begin(), members_.end(), 0);
  std::sort(members_.begin(), members_.end(), [&](std::int32_t a, std::int32_t b) {
    const PlanePoint& p = positions[static_cast<std::size_t>(a)];
    const PlanePoint& q = positions[static_cast<std::size_t>(b)];
    if (p.x != q.x) return p.x < q.x;
    if (p.y != q.y) return p.y < q.y;
    return a < b;
  });
  siteOf_.resize(positions.size());
  present_.assign(positions.size(), 1);
  for (std::int32_t k = 0; k < count; ++k) {
    const std::int32_t entry = members_[static_cast<std::size_t>(k)];
    const PlanePoint& at = positions[static_cast<std::size_t>(entry)];
    if (sites_.empty() || sites_.back().at.x != at.x || sites_.back().at.y != at.y) {
      sites_.push_back({at, k, k, -1});
    }
    sites_.back().end = k + 1;
    siteOf_[static_cast<std::size_t>(entry)] = static_cast<std::int32_t>(sites_.size()) - 1;
  }
  if (!sites_.empty()) {
    nodes_.reserve(2 * sites_.size() / kLeafSites + 2);
    Build(0, static_cast<std::int32_t>(sites_.size()), -1);
  }
  // Build reorders the sites; point every member back at its site.
  for (std::int32_t s = 0; s < static_cast<std::int32_t>(sites_.size()); ++s) {
    const Site& site = sites_[static_cast<std::size_t>(s)];
    for (std::int32_t k = site.first; k < site.end; ++k) {
      siteOf_[static_cast<std::size_t>(members_[static_cast<std::size_t>(k)])] = s;
    }
  }
}

std::int32_t NearestIndex::Build(std::int32_t lo, std::int32_t hi, std::int32_t parent) {
  auto first = sites_.begin() + lo;
  auto last = sites_.begin() + hi;
  Node node{first->at.x, first->at.x, first->at.y, first->at.y, lo, hi, -1, -1, parent, hi - lo};
  for (auto it = first; it != last; ++it) {
    node.x0 = std::min(node.x0, it->at.x);
    node.x1 = std::max(node.x1, it->at.x);
    node.y0 = std::min(node.y0, it->at.y);
    node.y1 = std::max(node.y1, it->at.y);
  }
  const auto id = static_cast<std::int32_t>(nodes_.size());
  nodes_.push_back(node);
  if (hi - lo <= kLeafSites) {
    for (auto it = first; it != last; ++it) it->leaf = id;
    return id;
  }
  const std::int32_t mid = lo + (hi - lo) / 2;
  const bool alongX = node.x1 - node.x0 >= node.y1 - node.y0;
  std::nth_element(first, sites_.begin() + mid, last, [alongX](const Site& a, const Site& b) {
    return alongX ? a.at.x < b.at.x : a.at.y < b.at.y;
  });
  const std::int32_t left = Build(lo, mid, id);
  const std::int32_t right = Build(mid, hi, id);
  nodes_[static_cast<std::size_t>(id)].left = left;
  nodes_[static_cast<std::size_t>(id)].right = right;
  return id;
}

long double NearestIndex::BoxDistance(const Node& node, const PlanePoint& from) {
  // Same roundings as DistanceOf on the nearest box coordinates: rounding is
  // monotone, so no entry inside the box can come out nearer than this.
  long double dx = 0;
  long double dy = 0;
  if (from.x < node.x0) dx = node.x0 - from.x;
  if (from.x > node.x1) dx = from.x - node.x1;
  if (from.y < node.y0) dy = node.y0 - from.y;
  if (from.y > node.y1) dy = from.y - node.y1;
  return std::sqrt(dx * dx + dy * dy);
}

std::int32_t NearestIndex::Nearest(const PlanePoint& from, long double limit) const {
  if (nodes_.empty()) return -1;
  Best best{limit, -1};
  Search(0, from, best);
  return best.entry;
}

void NearestIndex::Search(std::int32_t id, const PlanePoint& from, Best& best) const {
  const Node& node = nodes_[static_cast<std::size_t>(id)];
  if (node.present == 0 || BoxDistance(node, from) > best.distance) return;
  if (node.left < 0) {
    for (std::int32_t s = node.lo; s < node.hi; ++s) {
      const Site& site = sites_[static_cast<std::size_t>(s)];
      if (site.first == site.end) continue;
      const long double d = DistanceOf(from, site.at);
      const std::int32_t entry = members_[static_cast<std::size_t>(site.first)];
      if (d < best.distance ||
          (d == best.distance && (best.entry < 0 || entry < best.entry))) {
        best = {d, entry};
      }
    }
    return;
  }
  const Node& left = nodes_[static_cast<std::size_t>(node.left)];
  const Node& right = nodes_[static_cast<std::size_t>(node.right)];
  if (BoxDistance(left, from) <= BoxDistance(right, from)) {
    Search(node.left, from, best);
    Search(node.right, from, best);
  } else {
    Search(node.right, from, best);
    Search(node.left, from, best);
  }
}

void NearestIndex::Remove(std::int32_t entry) {
  assert(present_[static_cast<std::size_t>(entry)]);
  present_[static_cast<std::size_t>(entry)] = 0;
  Site& site = sites_[static_cast<std::size_t>(siteOf_[static_cast<std::size_t>(entry)])];
  while (site.first < site.end && !present_[static_cast<std::size_t>(members_[static_cast<std::size_t>(site.first)])]) {
    ++site.first;
  }
  if (site.first < site.end) return;
  for (std::int32_t id = site.leaf; id >= 0; id = nodes_[static_cast<std::size_t>(id)].parent) {
    --nodes_[static_cast<std::size_t>(id)].present;
  }
}

}  // namespace orbisk
