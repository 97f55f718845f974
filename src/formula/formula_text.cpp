#include "formula/formula_text.h"

#include <algorithm>

namespace orbisk::formula {

void InsertAt(std::string& text, int i, char c) {
  text.insert(static_cast<std::size_t>(i) - 1, 1, c);
  if (text.size() > kMaxTextLength) text.resize(kMaxTextLength);
}

void DeleteAt(std::string& text, int i) { text.erase(static_cast<std::size_t>(i) - 1, 1); }

void ReplaceBy(std::string& text, int at, int length, char c) {
  text[static_cast<std::size_t>(at) - 1] = c;
  text.erase(static_cast<std::size_t>(at), static_cast<std::size_t>(length) - 1);
}

int CountMarks(std::string_view text, int i) {
  const std::size_t end = std::min(text.size(), static_cast<std::size_t>(std::max(i, 0)));
  return static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end), '.'));
}

int Find(std::string_view text, std::string_view pattern, int from) {
  const std::size_t at = text.find(pattern, static_cast<std::size_t>(from) - 1);
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

}  // namespace orbisk::formula
