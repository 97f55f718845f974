#pragma once
// The ratio label's number format: the body of one floating directive (what
// follows "%"), parsed here and never handed to printf as the user wrote it.

#include <string>

namespace orbisk {

// Formats value with the format string "%" + body: literal text around at
// most one directive %[-][width][.precision](e|f|g) (letters in either case),
// "%%" a literal percent. Without a directive the value is not used. For g the
// precision counts significant digits; the default precision is 6.
// decimalSeparator replaces the ".". Raises InputError "Format '%s' invalid or
// incompatible with argument" for a malformed directive and "No argument for
// format '%s'" for a second one, with the whole format string in place of %s.
std::string FormatLabelNumber(const std::string& body, long double value, char decimalSeparator);

}  // namespace orbisk
