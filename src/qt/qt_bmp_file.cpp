#include "qt/qt_bmp_file.h"

#include <cstdint>

#include "platform/error.h"

namespace orbisk {

namespace {

constexpr std::uint32_t kHeadersSize = 14 + 40;
constexpr std::uint32_t kPixelsPerMeter = 3780;  // 96 dots per inch

void Put16(std::string& out, std::uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}

void Put32(std::string& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((v >> shift) & 0xFF);
}

}  // namespace

std::string EncodeBmp24(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  const std::uint64_t width = static_cast<std::uint64_t>(image.width());
  const std::uint64_t height = static_cast<std::uint64_t>(image.height());
  const std::uint64_t rowSize = (width * 3 + 3) / 4 * 4;
  const std::uint64_t pixelBytes = rowSize * height;
  if (pixelBytes + kHeadersSize > UINT32_MAX) throw Error("Picture too large for a BMP file");

  std::string out;
  out.reserve(kHeadersSize + pixelBytes);
  out += "BM";
  Put32(out, static_cast<std::uint32_t>(kHeadersSize + pixelBytes));
  Put32(out, 0);  // reserved
  Put32(out, kHeadersSize);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));  // positive: rows bottom-up
  Put16(out, 1);                                   // planes
  Put16(out, 24);                                  // bits per pixel
  Put32(out, 0);                                   // no compression
  Put32(out, static_cast<std::uint32_t>(pixelBytes));
  Put32(out, kPixelsPerMeter);
  Put32(out, kPixelsPerMeter);
  Put32(out, 0);  // colours used: no table
  Put32(out, 0);  // important colours: all

  // Rows bottom-up, each blue, green, red per pixel and zero padding.
  const std::size_t headers = out.size();
  out.resize(headers + pixelBytes, '\0');
  char* pixel = out.data() + headers;
  for (int y = static_cast<int>(height) - 1; y >= 0; --y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    char* next = pixel;
    for (std::uint64_t x = 0; x < width; ++x) {
      next[0] = static_cast<char>(qBlue(row[x]));
      next[1] = static_cast<char>(qGreen(row[x]));
      next[2] = static_cast<char>(qRed(row[x]));
      next += 3;
    }
    pixel += rowSize;
  }
  return out;
}

}  // namespace orbisk
