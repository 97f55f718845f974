#include "app/delimiter_tool.h"

#include <new>

#include "platform/atomic_file.h"
#include "platform/error.h"
#include "platform/heap_pages.h"
#include "platform/input_file.h"
#include "polar_data/file_input.h"

namespace orbisk {

namespace {

// The most the tool reads: as much as the largest data file the program
// reads.
constexpr std::size_t kSourceLimit = kPolarDataFormat.limit;

// The whole content of src; FileError when it cannot be read.
std::string ReadSource(const std::string& src) {
  Input input = ReadInputFile(src, kSourceLimit);
  switch (input.status) {
    case InputStatus::Ok:
      return std::move(input.bytes);
    case InputStatus::TooLarge:
      throw FileError(FileMessage("File too large: %s (the tool reads at most ", src) + MebibytesText(kSourceLimit) +
                      ")");
    case InputStatus::OutOfMemory:
      throw FileError("Out of memory");
    default:
      throw FileError(FileMessage("Не могу открыть файл %s", src));
  }
}

// Rewrites src into dst with every byte of the lines passed through op.
template <typename Op>
void RewriteFile(const std::string& src, const std::string& dst, Op op) {
  std::string text = ReadSource(src);
  for (char& c : text) {
    if (c != '\r' && c != '\n') c = op(c);
  }
  std::string lines;
  try {
    lines = WithCrLfLines(text);
  } catch (const std::bad_alloc&) {
    throw FileError("Out of memory");
  }
  WriteFileAtomically(dst, lines);
}

}  // namespace

std::string WithCrLfLines(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16 + 2);
  AdviseHugePages(out.data(), out.capacity());
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c != '\r' && c != '\n') continue;
    out.append(text, lineStart, i - lineStart);
    out += "\r\n";
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lineStart = i + 1;
  }
  if (lineStart < text.size()) {
    out.append(text, lineStart, std::string::npos);
    out += "\r\n";
  }
  return out;
}

void ReplaceCharInFile(const std::string& src, const std::string& dst, char from, char to) {
  RewriteFile(src, dst, [=](char c) { return c == from ? to : c; });
}

void ExchangeCharsInFile(const std::string& src, const std::string& dst, char first, char second) {
  RewriteFile(src, dst, [=](char c) { return c == first ? second : c == second ? first : c; });
}

}  // namespace orbisk
