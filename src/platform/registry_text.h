#pragma once
// The registry-export text form of one key: a "REGEDIT4" header line, the
// section line [HKEY_CURRENT_USER\SOFTWARE\Tevrana\Kelvaro], then one line per
// value.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace orbisk {

// The key's path as the section line names it.
inline constexpr const char* kSettingsKeyName = "HKEY_CURRENT_USER\\SOFTWARE\\Tevrana\\Kelvaro";

using RegistryEntries = std::vector<std::pair<std::string, RegistryValue>>;

// The file text of the key holding entries, in their order.
std::string FormatRegistryText(const RegistryEntries& entries);
// The entries of a file text in file order (a repeated name appears twice), or
// nothing when the text is not a well-formed export of this one key.
std::optional<RegistryEntries> ParseRegistryText(const std::string& text);

}  // namespace orbisk
