#pragma once
// The one writer of every file the program writes. The name is resolved first:
// symbolic links are followed to their final target, which is the file written
// (a link stays a link). Then, by what the target is:
// - a new or existing regular file is replaced atomically in its own folder:
//   a temporary file with a short name, fsync, rename; its permission bits and
//   owner are kept;
// - a regular file that cannot be replaced so (it has other hard links, its
//   folder may not be written, its owner could not be kept) is rewritten in
//   place, and a failed write puts the old content back;
// - a FIFO, a character device or an open descriptor (/dev/stdout) is written
//   in place; a FIFO that no reader holds open is refused at once;
// - anything else (a folder, a block device) is refused.
// A target the user may not write, or any file without a write permission bit,
// is refused before anything is written. No temporary file survives a failure.
// SIGXFSZ and SIGPIPE are ignored from the first write on, so that a write past
// the file-size limit or into a closed pipe fails and is reported.

#include <cstddef>
#include <functional>
#include <string>

namespace orbisk {

// Writes bytes to path by the rules above. Raises FileError with "Не могу
// создать файл %s" when the file cannot be created or may not be written,
// "Stream write error" when writing or completing it fails (a full disk, the
// file-size limit); the previous file is then as it was.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

// Whether WriteFileAtomically would accept path for writing. Never raises.
bool MayWriteFile(const std::string& path);

// Tests only: a function told how many bytes have been written so far, before
// each write; when it returns true that write fails as on a full disk.
// An empty function turns the fault off.
void SetWriteFaultForTesting(std::function<bool(std::size_t written)> fault);

}  // namespace orbisk
