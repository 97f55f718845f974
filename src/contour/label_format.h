#pragma once
// The ratio label's number format: the body of one floating directive (what
// follows "%"), parsed here and never handed to printf as the user wrote it.

#include <string>

namespace orbisk {

// Formats value with the format string "%" + body: optional literal text,
// one directive [width][.precision](e|f|g), optional literal text, "%%" a
// literal percent anywhere. decimalSeparator replaces the ".". Raises InputError
// "Format '%s' invalid or incompatible with argument" for a malformed or
// missing directive and "No argument for format '%s'" for a second directive,
// with the whole format string in place of %s.
std::string FormatLabelNumber(const std::string& body, long double value, char decimalSeparator);

}  // namespace orbisk
