#pragma once
// Reading a whole data file, with the messages a user sees when it cannot be
// read.

#include <cstddef>
#include <string>

namespace orbisk {

// A data file format as its reader sees it: a name for messages and the most
// bytes a file of it may hold.
struct DataFormat {
  const char* name;
  std::size_t limit;
};

// The largest grid, 6 header tokens and 256 x 256 values of at most 64
// characters with their separators, takes under 4.5 MB; a quarter of the
// limit, so that generous spacing still reads.
inline constexpr DataFormat kCylDataFormat{"Cyl Data", std::size_t{16} << 20};
// Polar Data has no largest content. A point takes at least 4 bytes of file
// and 32 of memory, so 64 MiB of file may need 512 MiB for its polylines;
// at the 50 bytes a point that trace writes, it holds over a million points.
inline constexpr DataFormat kPolarDataFormat{"Polar Data", std::size_t{64} << 20};

// The file's bytes. Raises FileError "File not found" for a missing file,
// "File access denied" for a folder or a file without read permission, "File
// read error" when reading fails part-way (with ": no program writes to this
// FIFO" for a FIFO without writer), "File too large: a <format> file
// holds at most <limit>" beyond the format's limit and "Out of memory".
std::string ReadDataFile(const std::string& path, const DataFormat& format);

}  // namespace orbisk
