#include "gui/font_sample.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace orbisk {

namespace {

constexpr int kWidth = 90;  // room for "Font" at 12 points and a little more
constexpr int kHeight = 24;

}  // namespace

FontSample::FontSample(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QSize FontSample::sizeHint() const { return {kWidth, kHeight}; }

QSize FontSample::minimumSizeHint() const { return {0, kHeight}; }

double FontSample::Scale() const {
  const QFontMetricsF metrics(font());
  const double width = metrics.horizontalAdvance(text());
  const double height = metrics.height();
  if (width <= 0 || height <= 0) return 1.0;
  return std::min({1.0, this->width() / width, this->height() / height});
}

void FontSample::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setFont(font());
  painter.setPen(palette().color(QPalette::WindowText));
  const double scale = Scale();
  const QFontMetricsF metrics(font());
  // Left-aligned and centred vertically, at the scale that fits.
  painter.translate(0, (height() - metrics.height() * scale) / 2);
  painter.scale(scale, scale);
  painter.drawText(QPointF(0, metrics.ascent()), text());
}

}  // namespace orbisk
