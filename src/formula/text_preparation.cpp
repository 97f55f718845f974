#include "formula/text_preparation.h"

#include <algorithm>

#include "formula/formula_text.h"

namespace orbisk::formula {
namespace {

void RemoveBlanks(std::string& text) {
  std::erase_if(text, [](char c) { return c == ' ' || c == '\t'; });
}

void UpperCase(std::string& text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
}

// "1E5" -> "1E+5": an exponent always carries its sign afterwards.
void AddExponentSigns(std::string& text) {
  for (int i = 2; i <= Length(text); ++i) {
    const char before = At(text, i - 1);
    const char after = At(text, i + 1);
    if (At(text, i) == 'E' && (before == '.' || IsDigit(before)) && after != '-' && after != '+') {
      InsertAt(text, i + 1, '+');
    }
  }
}

// "**" becomes "^", and a bare decimal point gets its zero digits.
void CompleteOperatorsAndPoints(std::string& text) {
  if (At(text, 1) == '.') InsertAt(text, 1, '0');
  for (int i = 2; i <= Length(text); ++i) {
    if (At(text, i - 1) == '*' && At(text, i) == '*') ReplaceBy(text, i - 1, 2, '^');
    if (IsOpening(At(text, i - 1)) && At(text, i) == '.') InsertAt(text, i, '0');
    if (IsOneOf(At(text, i), ")*+-/E^") && At(text, i - 1) == '.') InsertAt(text, i, '0');
  }
  if (At(text, Length(text)) == '.') InsertAt(text, Length(text) + 1, '0');
}

// A leading or parenthesised sign before a letter or "(" becomes a
// subtraction from 0 ("-x" -> "0-X"), a plus sign there is dropped.
void SpellOutSigns(std::string& text) {
  if (At(text, 1) == '-' && (At(text, 2) == '(' || IsLetter(At(text, 2)))) InsertAt(text, 1, '0');
  const char second = At(text, 2);
  if (At(text, 1) == '+' && (second == '(' || second == '.' || IsDigit(second) || IsLetter(second))) {
    DeleteAt(text, 1);
  }
  for (int i = 3; i <= Length(text); ++i) {
    if (At(text, i - 2) == '(' && At(text, i - 1) == '-' && IsLetter(At(text, i))) InsertAt(text, i - 1, '0');
  }
  for (int i = 3; i <= Length(text); ++i) {
    if (At(text, i - 2) == '(' && At(text, i - 1) == '+' && IsLetter(At(text, i))) DeleteAt(text, i - 1);
  }
}

}  // namespace

void PrepareText(std::string& text) {
  if (text.size() > kMaxTextLength) text.resize(kMaxTextLength);
  RemoveBlanks(text);
  UpperCase(text);
  AddExponentSigns(text);
  CompleteOperatorsAndPoints(text);
  SpellOutSigns(text);
}

}  // namespace orbisk::formula
