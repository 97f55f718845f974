#include "qt/qt_vector_picture.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>

#include "platform/error.h"

namespace orbisk {

namespace {

constexpr int kDotsPerInch = 96;

std::string ToBytes(const QByteArray& bytes) {
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// A white page of the picture's size with the drawing replayed on it.
void PaintPicture(QPaintDevice& device, const QtCanvas& canvas, int width, int height) {
  QPainter painter(&device);
  if (!painter.isActive()) throw Error("Cannot paint the vector picture");
  painter.fillRect(QRect(0, 0, width, height), Qt::white);
  canvas.Replay(painter);
}

// The generator gives the size in millimetres, rounded so that a renderer
// makes the picture a pixel larger; the size in pixels is exact.
void SizeInPixels(std::string& svg, int width, int height) {
  const std::string::size_type start = svg.find("<svg width=\"");
  const std::string::size_type end = svg.find('\n', start);
  if (start == std::string::npos || end == std::string::npos) return;
  svg.replace(start, end - start,
              "<svg width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\"");
}

}  // namespace

std::string EncodeSvg(const QtCanvas& canvas, int width, int height) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(QSize(width, height));
  svg.setViewBox(QRect(0, 0, width, height));
  svg.setResolution(kDotsPerInch);
  PaintPicture(svg, canvas, width, height);
  std::string file = ToBytes(bytes);
  SizeInPixels(file, width, height);
  return file;
}

std::string EncodePdf(const QtCanvas& canvas, int width, int height) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&buffer);
    pdf.setCreator("Orbisk");
    pdf.setResolution(kDotsPerInch);
    // A page needs some extent: an empty picture gets a page of one pixel.
    const QSizeF points(std::max(width, 1) * 72.0 / kDotsPerInch, std::max(height, 1) * 72.0 / kDotsPerInch);
    pdf.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    PaintPicture(pdf, canvas, width, height);
  }
  return ToBytes(bytes);
}

}  // namespace orbisk
