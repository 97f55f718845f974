#pragma once
// Replacing a file so that a failure never leaves a truncated file behind: the
// bytes go to a temporary file beside the target, which is renamed over the
// target only when it is complete.

#include <cstddef>
#include <functional>
#include <string>

namespace orbisk {

// Writes bytes to path, replacing the file atomically. Raises FileError with
// "Не могу создать файл %s" when the file cannot be created (no access, a
// folder in the way, no such folder) and "Stream write error" when writing or
// completing it fails (a full disk); the previous file is then untouched.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

// Tests only: a function told how many bytes have been written so far, before
// each write; when it returns true that write fails as on a full disk.
// An empty function turns the fault off.
void SetWriteFaultForTesting(std::function<bool(std::size_t written)> fault);

}  // namespace orbisk
