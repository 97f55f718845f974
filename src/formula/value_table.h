#pragma once
// The engine's value table: the literals of a text in order, then the
// intermediates that a compiled program computes. Value k lives at index k.

#include <array>
#include <cstddef>

namespace orbisk::formula {

// Highest value index a program can name (its operand bytes).
inline constexpr int kMaxValueIndex = 255;

struct ValueTable {
  // Index 0 unused; 1..count hold values, count+1..255 intermediates. Slots
  // beyond the count read as 0 once the table was cleared.
  std::array<double, kMaxValueIndex + 2> values{};
  int count = 0;

  double& operator[](int k) { return values[static_cast<std::size_t>(k)]; }
  double operator[](int k) const { return values[static_cast<std::size_t>(k)]; }

  // Empties the table and zeroes every slot.
  void Clear();
  // Appends a value (ignored when the table is full).
  void Append(double value);
  // Inserts value as value k (k clamped to 1..count+1), moving later values up.
  void Insert(int k, double value);
  // Removes value k (nothing when k is beyond the count), moving later values down.
  void Remove(int k);
};

}  // namespace orbisk::formula
