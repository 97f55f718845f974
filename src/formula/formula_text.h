#pragma once
// The working text of the formula engine: at most 255 single-byte characters,
// positions counted from 1, and the character classes every stage tests.

#include <cstddef>
#include <string>
#include <string_view>

namespace orbisk::formula {

// Longest working text; characters pushed beyond it are lost from the end.
inline constexpr std::size_t kMaxTextLength = 255;

// Character at position i (from 1); '\0' when i is 0 or beyond the end, which
// belongs to no class.
inline char At(std::string_view text, int i) {
  return i >= 1 && static_cast<std::size_t>(i) <= text.size() ? text[static_cast<std::size_t>(i) - 1] : '\0';
}

inline int Length(std::string_view text) { return static_cast<int>(text.size()); }

// True when c is one of the characters of set ('\0' never is).
inline bool IsOneOf(char c, std::string_view set) { return c != '\0' && set.find(c) != std::string_view::npos; }

// Characters that may stand right before an operand.
inline bool IsOpening(char c) { return IsOneOf(c, "(*+-/^"); }
// Characters that may stand right after an operand.
inline bool IsClosing(char c) { return IsOneOf(c, ")*+-/^"); }
inline bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Inserts c before position i (i = length + 1 appends), keeping at most 255 characters.
void InsertAt(std::string& text, int i, char c);
// Deletes the character at position i.
void DeleteAt(std::string& text, int i);
// Replaces the `length` (>= 1) characters from position at by the single character c.
void ReplaceBy(std::string& text, int at, int length, char c);
// Number of value marks "." in positions 1..i.
int CountMarks(std::string_view text, int i);
// Position of the first occurrence of pattern at or after position from; 0 if none.
int Find(std::string_view text, std::string_view pattern, int from = 1);

}  // namespace orbisk::formula
