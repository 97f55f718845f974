#include "store/contour_store.h"

#include "platform/error.h"

namespace orbisk {

void PolylineList::SetCount(std::int32_t n) {
  if (n < 0 || n > kMaxListSize) throw ListError(FormatMessage("List count out of bounds (%d)", n));
  items_.resize(static_cast<std::size_t>(n));
}

void PolylineList::Reserve(std::int32_t n) {
  if (n > 0) items_.reserve(static_cast<std::size_t>(n));
}

std::int32_t PolylineList::Add(std::unique_ptr<TListExt> list) {
  if (Count() >= kMaxListSize) throw ListError(FormatMessage("List count out of bounds (%d)", Count() + 1LL));
  items_.push_back(std::move(list));
  return Count() - 1;
}

void PolylineList::Put(std::int32_t index, std::unique_ptr<TListExt> list) {
  CheckIndex(index);
  items_[static_cast<std::size_t>(index)] = std::move(list);
}

TListExt* PolylineList::Get(std::int32_t index) const {
  CheckIndex(index);
  return items_[static_cast<std::size_t>(index)].get();
}

void PolylineList::CheckIndex(std::int32_t index) const {
  if (index < 0 || index >= Count()) {
    throw ListError(FormatMessage("List index out of bounds (%d)", index));
  }
}

}  // namespace orbisk
