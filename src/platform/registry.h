#pragma once
// One key of the per-user settings registry: named values, each with a type and
// its bytes as stored.

#include <cstdint>
#include <optional>
#include <string>

namespace orbisk {

// Value types by their platform codes; other codes may appear in a stored key
// and are kept as they are.
enum class RegistryType : std::uint32_t {
  String = 1,        // REG_SZ: bytes with a terminating NUL
  ExpandString = 2,  // REG_EXPAND_SZ: as String, never expanded here
  Binary = 3,        // REG_BINARY: any bytes
  Dword = 4,         // REG_DWORD: 4 bytes, little-endian
};

// A stored value: its type and its bytes (strings include their NUL).
struct RegistryValue {
  RegistryType type = RegistryType::Binary;
  std::string data;

  bool operator==(const RegistryValue&) const = default;
};

// A string value as stored: the text followed by a NUL.
RegistryValue StringValue(const std::string& text);
// An unexpanded expand-string value: the text followed by a NUL.
RegistryValue ExpandStringValue(const std::string& text);
// A DWORD value: 4 bytes, little-endian.
RegistryValue DwordValue(std::uint32_t value);
// A binary value holding bytes.
RegistryValue BinaryValue(const std::string& bytes);
// The number held by a DWORD value, or nothing when value is not one.
std::optional<std::uint32_t> DwordOf(const RegistryValue& value);

// Access asked for when a key is opened.
enum class RegistryAccess { Full, Read };

// One registry key. At most one opening at a time; Close ends it.
class Registry {
 public:
  virtual ~Registry() = default;

  // Opens the existing key without creating it; false when it does not exist,
  // cannot be read, or the access is refused.
  virtual bool Open(RegistryAccess access) = 0;
  // Opens the key with full access, creating it and its parents when missing;
  // false when that is impossible, and for a key that may only be read.
  virtual bool OpenOrCreate() = 0;
  // The value named name (names compare without regard to ASCII case), or
  // nothing when it does not exist or the key is not open.
  virtual std::optional<RegistryValue> Read(const std::string& name) const = 0;
  // Creates or replaces a value; false when it cannot be written.
  virtual bool Write(const std::string& name, const RegistryValue& value) = 0;
  // Closes the key, storing what was written. Raises FileError when the
  // written values cannot be stored; the key is closed all the same.
  virtual void Close() = 0;
};

}  // namespace orbisk
