#pragma once
// Rewriting a text file with the decimal point and decimal comma replaced or
// exchanged. Lines end at CR, LF or CR LF and are written back with CR LF; the
// source is read whole first, so source and destination may be the same file,
// and the destination is replaced atomically, so a failure never loses it.

#include <string>

namespace orbisk {

// Writes src to dst with every byte from turned into to. Raises FileError
// "Не могу открыть файл %s" when src cannot be read (nothing is written) and
// "Не могу создать файл %s" when dst cannot be created.
void ReplaceCharInFile(const std::string& src, const std::string& dst, char from, char to);

// Writes src to dst with every first turned into second and every second into
// first. Failures as ReplaceCharInFile.
void ExchangeCharsInFile(const std::string& src, const std::string& dst, char first, char second);

// The text split at CR, LF and CR LF, each line followed by CR LF; a line end
// at the very end starts no further line.
std::string WithCrLfLines(const std::string& text);

}  // namespace orbisk
