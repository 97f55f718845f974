#include "formula/value_table.h"

#include <algorithm>

namespace orbisk::formula {

void ValueTable::Clear() {
  values.fill(0.0);
  count = 0;
}

void ValueTable::Append(double value) { Insert(count + 1, value); }

void ValueTable::Insert(int k, double value) {
  if (count >= kMaxValueIndex) return;  // a 255-character text has no room for more
  k = std::clamp(k, 1, count + 1);
  for (int i = count; i >= k; --i) (*this)[i + 1] = (*this)[i];
  (*this)[k] = value;
  ++count;
}

void ValueTable::Remove(int k) {
  if (k < 1 || k > count) return;
  for (int i = k; i < count; ++i) (*this)[i] = (*this)[i + 1];
  (*this)[count] = 0.0;
  --count;
}

}  // namespace orbisk::formula
