#pragma once
// TListExt: an ordered, growable sequence of extended-precision numbers, with
// the count/capacity behaviour and the list errors of the program's list class.

#include <cstdint>
#include <vector>

namespace orbisk {

// The largest count or capacity a list accepts.
inline constexpr std::int32_t kMaxListSize = 134217727;

// Count, capacity and contiguous storage; the base of TListExt.
class TListCustom {
 public:
  std::int32_t Count() const { return count_; }
  std::int32_t Capacity() const { return static_cast<std::int32_t>(storage_.size()); }

  // Capacity must stay within Count..kMaxListSize, else
  // "List capacity out of bounds (%d)".
  void SetCapacity(std::int32_t capacity);
  // Raises Capacity to n when smaller, zeroes slots Count..n-1, sets Count to n;
  // n outside 0..kMaxListSize raises "List count out of bounds (%d)".
  void SetCount(std::int32_t n);
  // Removes the value at index and moves the later values down by one.
  void Delete(std::int32_t index);
  // Count and Capacity become 0.
  void Clear();
  // Takes values as the whole content: Count and Capacity become their number
  // (more than kMaxListSize raises "List count out of bounds (%d)").
  void Assign(std::vector<long double>&& values);

  // The stored values, Count of them; for readers of finished lists.
  const long double* Data() const { return storage_.data(); }

 protected:
  // Grows by 4 slots while Capacity is at most 8, else by 16.
  void Grow();
  void CheckIndex(std::int32_t index) const;

  std::vector<long double> storage_;  // size() is the capacity
  std::int32_t count_ = 0;            // 0..Capacity()
};

class TListExt : public TListCustom {
 public:
  // Appends value (growing first when full) and returns its index.
  std::int32_t Add(long double value) {
    if (count_ == Capacity()) Grow();
    storage_[static_cast<std::size_t>(count_)] = value;
    return count_++;
  }
  // Index outside 0..Count-1 raises "List index out of bounds (%d)".
  long double Get(std::int32_t index) const;
  void Put(std::int32_t index, long double value);

  bool operator==(const TListExt& other) const;
};

}  // namespace orbisk
