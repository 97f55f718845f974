#pragma once
// The check the function-and-domain dialog runs when it is closed with OK
// (its FormCloseQuery), over the seven texts alone.

#include <optional>
#include <string>

#include "formula/formula_engine.h"
#include "polar_data/function_record.h"

namespace orbisk {

// Checks, in order, Fi from, Fi to, Fi to != Fi from, R from, R to,
// 0 <= R from <= R to, per Fi (2..256), per R (2..256), the formula; returns
// the message of the first fault ("Field Fi to error:" + engine text, "Must be
// Fi to > Fi from", ...), or nothing when the dialog may close. Texts go to
// the engine cut to 255 characters. ErrorValue is not looked at. MathError
// from the engine, and a count too large for 32 bits, propagate.
std::optional<std::string> ValidateFunctionDomain(const FunctionRecord& texts, FormulaEngine& engine);

}  // namespace orbisk
