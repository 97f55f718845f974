#include "qt/qt_bitmap.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>
#include <cctype>

#include "platform/atomic_file.h"
#include "platform/error.h"
#include "qt/qt_bmp_file.h"
#include "qt/qt_vector_picture.h"

namespace orbisk {

namespace {

std::string LowerExtension(const std::string& path) {
  std::string::size_type dot = path.find_last_of('.');
  std::string::size_type slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = path.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

std::string ToBytes(const QByteArray& bytes) {
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

QtBitmap::QtBitmap(int width, int height) {
  SetHeight(height);
  SetWidth(width);
}

void QtBitmap::SetWidth(int width) {
  canvas_.Resize(width, height_);
  width_ = std::max(width, 0);
}

void QtBitmap::SetHeight(int height) {
  canvas_.Resize(width_, height);
  height_ = std::max(height, 0);
}

void QtBitmap::Whiteness() { canvas_.Whiten(); }

std::string QtBitmap::BmpBytes() { return EncodeBmp24(canvas_.Image()); }

std::string QtBitmap::PngBytes() {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!canvas_.Image().convertToFormat(QImage::Format_RGB888).save(&buffer, "PNG")) {
    throw Error("Cannot encode the picture as PNG");
  }
  return ToBytes(bytes);
}

std::string QtBitmap::SvgBytes() { return EncodeSvg(canvas_, width_, height_); }

std::string QtBitmap::PdfBytes() { return EncodePdf(canvas_, width_, height_); }

void QtBitmap::SaveToFile(const std::string& path) {
  const std::string ext = LowerExtension(path);
  const std::string bytes = ext == ".png"   ? PngBytes()
                            : ext == ".svg" ? SvgBytes()
                            : ext == ".pdf" ? PdfBytes()
                                            : BmpBytes();
  WriteFileAtomically(path, bytes);
}

void QtBitmap::CopyToClipboard() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    throw Error("Cannot open clipboard");
  }
  QGuiApplication::clipboard()->setImage(canvas_.Image());
}

}  // namespace orbisk
