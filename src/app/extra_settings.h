#pragma once
// The settings stored after the 32 values: how the contour levels are chosen
// and shown, and the status line with the value under the cursor. Every one
// is off by default and stands on its own: a missing or mistyped value gives
// that item its default and leaves every other item alone.

#include <utility>
#include <vector>

#include "platform/registry.h"

namespace orbisk {

struct Settings;

// The names of the values, in the order they are written.
inline constexpr const char* kLevelModeValue = "Level_Mode";                // DWORD 0 even, 1 list, 2 step
inline constexpr const char* kLevelListValue = "Level_List";                // string "0.5, 1, 1.5"
inline constexpr const char* kLevelStartValue = "Level_Start";              // string, one number
inline constexpr const char* kLevelStepValue = "Level_Step";                // string, one number
inline constexpr const char* kLevelColorsValue = "Level_Colors";            // DWORD 0/1
inline constexpr const char* kLevelLegendValue = "Level_Legend";            // DWORD 0/1
inline constexpr const char* kLevelLineLabelsValue = "Level_LineLabels";    // DWORD 0/1
inline constexpr const char* kLevelValueFormatValue = "Level_ValueFormat";  // string
inline constexpr const char* kStatusLineValue = "StatusLine_Present";       // DWORD 0/1

// Reads the values into settings' level choice, level display and status
// line, each from the key or, missing or mistyped, its default. Numbers are
// written with "." whatever the locale. A choice that cannot be used (mode 1
// without a list, mode 2 without a step above 0) falls back to even levels.
void ReadExtraSettings(const Registry& registry, Settings& settings);

// The values to write after the 32, in the order above: every item away from
// its default, and every item the key already holds (so that an option turned
// off is stored as off). A key that never held them gets none while they stay
// at their defaults, so that its file is written exactly as before.
std::vector<std::pair<const char*, RegistryValue>> ExtraSettingsValues(const Settings& settings,
                                                                       const Registry& registry);

}  // namespace orbisk
