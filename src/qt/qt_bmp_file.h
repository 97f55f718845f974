#pragma once
// The picture as an uncompressed 24-bit BMP file: 14-byte file header, 40-byte
// information header, bottom-up BGR rows padded to 4 bytes.

#include <QImage>
#include <string>

namespace orbisk {

// The bytes of the BMP file of image, at 96 dots per inch.
std::string EncodeBmp24(const QImage& image);

}  // namespace orbisk
