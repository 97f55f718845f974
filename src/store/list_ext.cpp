#include "store/list_ext.h"

#include <algorithm>
#include <utility>

#include "platform/error.h"

namespace orbisk {

namespace {

[[noreturn]] void Fail(const char* pattern, long long value) { throw ListError(FormatMessage(pattern, value)); }

}  // namespace

void TListCustom::SetCapacity(std::int32_t capacity) {
  if (capacity < count_ || capacity > kMaxListSize) {
    Fail("List capacity out of bounds (%d)", capacity);
  }
  auto size = static_cast<std::size_t>(capacity);
  if (size > storage_.size()) {
    storage_.reserve(size);  // exactly this many slots, not the vector's doubling
    storage_.resize(size);
  } else {
    storage_.resize(size);
    storage_.shrink_to_fit();
  }
}

void TListCustom::SetCount(std::int32_t n) {
  if (n < 0 || n > kMaxListSize) Fail("List count out of bounds (%d)", n);
  if (n > Capacity()) SetCapacity(n);
  if (n > count_) std::fill(storage_.begin() + count_, storage_.begin() + n, 0.0L);
  count_ = n;
}

void TListCustom::Delete(std::int32_t index) {
  CheckIndex(index);
  std::copy(storage_.begin() + index + 1, storage_.begin() + count_, storage_.begin() + index);
  --count_;
}

void TListCustom::Clear() {
  count_ = 0;
  storage_.clear();
  storage_.shrink_to_fit();
}

void TListCustom::Assign(std::vector<long double>&& values) {
  if (values.size() > static_cast<std::size_t>(kMaxListSize)) {
    Fail("List count out of bounds (%d)", static_cast<long long>(values.size()));
  }
  storage_ = std::move(values);
  storage_.shrink_to_fit();  // Capacity is the number of values
  count_ = static_cast<std::int32_t>(storage_.size());
}

void TListCustom::Grow() {
  std::int32_t delta = Capacity() > 8 ? 16 : 4;
  SetCapacity(Capacity() + delta);
}

void TListCustom::CheckIndex(std::int32_t index) const {
  if (index < 0 || index >= count_) Fail("List index out of bounds (%d)", index);
}

long double TListExt::Get(std::int32_t index) const {
  CheckIndex(index);
  return storage_[static_cast<std::size_t>(index)];
}

void TListExt::Put(std::int32_t index, long double value) {
  CheckIndex(index);
  storage_[static_cast<std::size_t>(index)] = value;
}

bool TListExt::operator==(const TListExt& other) const {
  return std::equal(Data(), Data() + count_, other.Data(), other.Data() + other.count_);
}

}  // namespace orbisk
