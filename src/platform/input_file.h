#pragma once
// Reading a whole input file safely, whatever the name stands for: a regular
// file larger than the reader's limit is refused before it is read, a FIFO is
// opened without waiting and refused when no program writes to it, a device
// or pipe is read only up to the limit, and memory running out is reported
// rather than ending the program.

#include <cstddef>
#include <string>

namespace orbisk {

enum class InputStatus {
  Ok,
  NotFound,      // no such file, or a name that cannot name one
  AccessDenied,  // no read permission, or a folder
  ReadError,     // reading failed part-way, or a kind of file that cannot be read
  TooLarge,      // more than the limit
  NoWriter,      // a FIFO that no program holds open for writing
  OutOfMemory,
};

struct Input {
  InputStatus status = InputStatus::Ok;
  std::string bytes;  // the whole content when status is Ok
};

// Reads path whole, refusing more than limit bytes.
Input ReadInputFile(const std::string& path, std::size_t limit);

// A size in whole MiB for a message ("16 MiB").
std::string MebibytesText(std::size_t bytes);

}  // namespace orbisk
