#include "qt/qt_bitmap.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>

#include "platform/atomic_file.h"
#include "platform/error.h"
#include "qt/picture_formats.h"
#include "qt/qt_bmp_file.h"
#include "qt/qt_vector_picture.h"

namespace orbisk {

namespace {

std::string ToBytes(const QByteArray& bytes) {
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

QtBitmap::QtBitmap(int width, int height) {
  SetHeight(height);
  SetWidth(width);
}

QtBitmap::QtBitmap(QImage white) : width_(white.width()), height_(white.height()) {
  // An image takes the screen's resolution when it is made, which a PNG file
  // records; one made before the application took a default one instead.
  const QImage madeNow(1, 1, QImage::Format_RGB32);
  white.setDotsPerMeterX(madeNow.dotsPerMeterX());
  white.setDotsPerMeterY(madeNow.dotsPerMeterY());
  canvas_.Adopt(std::move(white));
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
  const PictureFormat& format = PictureFormatOf(QString::fromStdString(path));
  WriteFileAtomically(path, (this->*format.encode)());
}

void QtBitmap::CopyToClipboard() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    throw Error("Cannot open clipboard");
  }
  QGuiApplication::clipboard()->setImage(canvas_.Image());
}

}  // namespace orbisk
