#pragma once
// Reading a whole data file, with the messages a user sees when it cannot be
// read.

#include <string>

namespace orbisk {

// The file's bytes. Raises FileError "File not found" for a missing file,
// "File access denied" for a folder or a file without read permission, and
// "File read error" when reading fails part-way.
std::string ReadDataFile(const std::string& path);

}  // namespace orbisk
