#pragma once
// Converting decimal text to extended precision without strtold, where
// 128-bit integers decide the rounding exactly: data files hold hundreds of
// thousands of numbers, and strtold's multi-precision conversion is the
// dearest part of reading them.

#include <optional>
#include <string_view>

namespace orbisk {

// The value of a plain decimal token ("+"/"-", digits with an optional "."
// and fraction, an optional "e"/"E" exponent) rounded to extended precision,
// to nearest with ties to even: the value strtold gives in that rounding
// mode. Empty where the quick way cannot decide: another rounding mode, more
// than 38 significant digits, values beyond about 1e38 or with more than 27
// decimals after the first significant digit's scale, and tokens of another
// shape; strtold converts those.
std::optional<long double> ParseDecimal(std::string_view token);

}  // namespace orbisk
