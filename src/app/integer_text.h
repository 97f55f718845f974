#pragma once
// Integer texts of the settings dialog's edits.

#include <cstdint>
#include <optional>
#include <string>

namespace orbisk {

// A 32-bit signed integer written as optional leading blanks, an optional "+"
// or "-", then decimal digits or "$" and hexadecimal digits, with nothing after;
// nothing when text is not one (empty, stray characters, out of range).
std::optional<std::int32_t> ParseInt32(const std::string& text);

// As ParseInt32, raising InputError "'%s' is not a valid integer value" (the
// text) when text is not an integer.
std::int32_t StrToInt(const std::string& text);

}  // namespace orbisk
