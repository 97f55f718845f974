#include "qt/picture_formats.h"

namespace orbisk {

namespace {

constexpr PictureFormat kFormats[] = {
    {"Bitmaps (*.bmp)", "bmp", &QtBitmap::BmpBytes, false},
    {"PNG pictures (*.png)", "png", &QtBitmap::PngBytes, false},
    {"SVG drawings (*.svg)", "svg", &QtBitmap::SvgBytes, true},
    {"PDF documents (*.pdf)", "pdf", &QtBitmap::PdfBytes, true},
};

bool EndsInSuffix(const QString& path, const PictureFormat& format) {
  return path.endsWith(QStringLiteral(".") + format.suffix, Qt::CaseInsensitive);
}

}  // namespace

std::span<const PictureFormat> PictureFormats() { return kFormats; }

const PictureFormat& PictureFormatOf(const QString& path) {
  for (const PictureFormat& format : kFormats) {
    if (EndsInSuffix(path, format)) return format;
  }
  return kFormats[0];
}

const PictureFormat& PictureFormatOfFilter(const QString& filter) {
  for (const PictureFormat& format : kFormats) {
    // The dialog names a filter in full or as shown, its pattern hidden.
    if (filter == PictureFilter(format) || filter == QString::fromUtf8(format.caption)) return format;
  }
  return kFormats[0];
}

QString PictureFilter(const PictureFormat& format) {
  return QString::fromUtf8(format.caption) + " (*." + format.suffix + ")";
}

QString WithPictureSuffix(const QString& path, const PictureFormat& format) {
  if (EndsInSuffix(path, format)) return path;
  return path + "." + format.suffix;
}

}  // namespace orbisk
