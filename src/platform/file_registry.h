#pragma once
// The settings key kept as one text file in the registry-export form
// ("Name"="text", "Name"=dword:000001f4, "Name"=hex:cd,cc,...), read whole when
// opened and written whole, atomically, when closed after a change.

#include <map>
#include <optional>
#include <string>

#include "platform/registry.h"
#include "platform/registry_text.h"

namespace orbisk {

// The key HKEY_CURRENT_USER\SOFTWARE\Tevrana\Kelvaro as a file.
class FileRegistry : public Registry {
 public:
  // The file $XDG_CONFIG_HOME/Tevrana/Kelvaro.reg (~/.config/... when the
  // variable is unset or empty).
  FileRegistry();
  // The key kept in the file at path.
  explicit FileRegistry(std::string path);

  // Where the settings file lives by default, from the environment.
  static std::string DefaultPath();

  const std::string& path() const { return path_; }

  bool Open(RegistryAccess access) override;
  bool OpenOrCreate() override;
  std::optional<RegistryValue> Read(const std::string& name) const override;
  bool Write(const std::string& name, const RegistryValue& value) override;
  void Close() override;

 private:
  // Reads the file into values_; false when it is missing, unreadable or
  // malformed (malformed_ tells the last two apart).
  bool Load();
  void Reset();

  std::string path_;
  bool open_ = false;
  bool writable_ = false;
  bool changed_ = false;
  bool malformed_ = false;
  // The values in file order; index_ maps a lower-case name to its place.
  RegistryEntries values_;
  std::map<std::string, std::size_t> index_;
};

}  // namespace orbisk
