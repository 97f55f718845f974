#include "platform/registry.h"

namespace orbisk {

RegistryValue StringValue(const std::string& text) { return {RegistryType::String, text + '\0'}; }

RegistryValue ExpandStringValue(const std::string& text) { return {RegistryType::ExpandString, text + '\0'}; }

RegistryValue DwordValue(std::uint32_t value) {
  std::string bytes(4, '\0');
  for (std::size_t i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return {RegistryType::Dword, bytes};
}

RegistryValue BinaryValue(const std::string& bytes) { return {RegistryType::Binary, bytes}; }

std::optional<std::uint32_t> DwordOf(const RegistryValue& value) {
  if (value.type != RegistryType::Dword || value.data.size() != 4) return std::nullopt;
  std::uint32_t result = 0;
  for (std::size_t i = 4; i-- > 0;) result = (result << 8) | static_cast<unsigned char>(value.data[i]);
  return result;
}

}  // namespace orbisk
