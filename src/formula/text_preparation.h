#pragma once
// First stage of every formula text: removes blanks, upper-cases, and spells
// out the shorthand forms of numbers and signs ("1e5" -> "1E+5", ".5" -> "0.5",
// "**" -> "^", "-x" -> "0-X"). Never fails; keeps the text within 255 characters.

#include <string>

namespace orbisk::formula {

void PrepareText(std::string& text);

}  // namespace orbisk::formula
