#pragma once
// Working arrays that are written before they are read, kept from one level
// to the next: growing one neither sets its new elements nor, when it must
// move, carries its old contents over.

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace orbisk {

// std::allocator that leaves elements made without a value uninitialised,
// also those of aggregates whose members have default values (as the exact
// positions of the nearest search): memory from the allocator already holds
// objects of such types, and setting them would touch every page of it.
template <typename T>
struct UninitialisedAllocator : std::allocator<T> {
  template <typename U>
  struct rebind {
    using other = UninitialisedAllocator<U>;
  };
  UninitialisedAllocator() = default;
  template <typename U>
  UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept {}

  template <typename U>
  void construct(U* p) noexcept {
    if constexpr (!(std::is_aggregate_v<U> && std::is_trivially_copyable_v<U>)) ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

template <typename T>
using ScratchVector = std::vector<T, UninitialisedAllocator<T>>;

// Gives v n elements whose values are unset.
template <typename T>
void ResizeScratch(ScratchVector<T>& v, std::size_t n) {
  if (n > v.capacity()) {
    v = ScratchVector<T>();
    v.reserve(n);
  }
  v.resize(n);
}

}  // namespace orbisk
