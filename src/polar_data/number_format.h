#pragma once
// The two ways data files write real numbers.

#include <string>

namespace orbisk {

// General format with 15 significant digits: "0.25", "-3", "1E-5", "2.5E20";
// plain for 0 and magnitudes 1E-4 <= |v| < 1E15 after rounding, "." always.
std::string FormatGeneral(long double value);

// Fixed 23-character scientific field: " 6.28318530717959E+0000",
// "-7.50000000000000E-0001" (blank or "-", 15 digits, 4-digit exponent).
std::string FormatScientificField(long double value);

// printf's %.<digits>Lg with "." whatever the process locale: enough digits
// read back the same value.
std::string FormatDigits(long double value, int digits);
// The same text, appended to out.
void AppendDigits(std::string& out, long double value, int digits);

}  // namespace orbisk
