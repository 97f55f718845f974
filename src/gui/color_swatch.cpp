#include "gui/color_swatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace orbisk {

QColor ToQColor(Color color) { return QColor(RedOf(color), GreenOf(color), BlueOf(color)); }

Color FromQColor(const QColor& color) {
  return static_cast<Color>(color.red()) | static_cast<Color>(color.green()) << 8 |
         static_cast<Color>(color.blue()) << 16;
}

ColorSwatch::ColorSwatch(QWidget* parent) : QWidget(parent) {
  setFixedSize(28, 16);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::StrongFocus);
}

void ColorSwatch::SetColor(Color color) {
  color_ = color;
  update();
}

void ColorSwatch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(Qt::black);
  painter.setBrush(ToQColor(color_));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  if (hasFocus()) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
  }
}

void ColorSwatch::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (onPress_) onPress_();
}

void ColorSwatch::keyPressEvent(QKeyEvent* event) {
  // Space, as on a button; Enter stays with the dialog's default button.
  if (event->key() != Qt::Key_Space) {
    QWidget::keyPressEvent(event);
    return;
  }
  event->accept();
  if (onPress_) onPress_();
}

}  // namespace orbisk
