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

  const std::string padding(rowSize - width * 3, '\0');
  for (int y = static_cast<int>(height) - 1; y >= 0; --y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (std::uint64_t x = 0; x < width; ++x) {
      out += static_cast<char>(qBlue(row[x]));
      out += static_cast<char>(qGreen(row[x]));
      out += static_cast<char>(qRed(row[x]));
    }
    out += padding;
  }
  return out;
}

}  // namespace orbisk
