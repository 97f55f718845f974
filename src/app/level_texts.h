#pragma once
// Chosen levels as texts, for the dialog's edits and the settings file: the
// shortest decimals that read back as the very same numbers.

#include <string>
#include <vector>

namespace orbisk {

// value as the shortest decimal (printf's %g style, up to 21 digits) that
// reads back as the same long double, with decimalSeparator for ".".
std::string LevelNumberText(long double value, char decimalSeparator = '.');

// values in their order, each as LevelNumberText, joined by ", " (by "; "
// when the decimal separator is ","); empty for none.
std::string LevelListText(const std::vector<long double>& values, char decimalSeparator = '.');

// The one finite number that text holds ("." or decimalSeparator as the
// decimal point, blanks around it allowed). Raises InputError with
// invalidMessage, its "%s" replaced by text, for anything else.
long double ParseLevelNumber(const std::string& text, char decimalSeparator, const char* invalidMessage);

// Whether text holds nothing but blanks and tabs.
bool IsBlank(const std::string& text);

}  // namespace orbisk
