#include "polar_data/file_input.h"

#include "platform/error.h"
#include "platform/input_file.h"

namespace orbisk {

std::string ReadDataFile(const std::string& path, const DataFormat& format) {
  Input input = ReadInputFile(path, format.limit);
  switch (input.status) {
    case InputStatus::Ok:
      return std::move(input.bytes);
    case InputStatus::NotFound:
      throw FileError("File not found");
    case InputStatus::AccessDenied:
      throw FileError("File access denied");
    case InputStatus::TooLarge:
      throw FileError(std::string("File too large: a ") + format.name + " file holds at most " +
                      MebibytesText(format.limit));
    case InputStatus::OutOfMemory:
      throw FileError("Out of memory");
    case InputStatus::NoWriter:
      throw FileError("File read error: no program writes to this FIFO");
    case InputStatus::ReadError:
      break;
  }
  throw FileError("File read error");
}

}  // namespace orbisk
