#pragma once
// Working arrays that are written before they are read, kept from one level
// to the next: growing one neither sets its new elements nor, when it must
// move, carries its old contents over.

#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace orbisk {

// std::allocator that leaves elements made without a value uninitialised.
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
    ::new (static_cast<void*>(p)) U;
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
