#pragma once
// A colour swatch: a small rectangle filled with its colour, reporting every
// mouse press (any button), and Space when it has the keyboard focus.

#include <QColor>
#include <QWidget>
#include <functional>

#include "platform/color.h"

namespace orbisk {

// Conversions between the settings' 0x00BBGGRR colours and QColor.
QColor ToQColor(Color color);
Color FromQColor(const QColor& color);

class ColorSwatch : public QWidget {
 public:
  explicit ColorSwatch(QWidget* parent = nullptr);

  Color GetColor() const { return color_; }
  void SetColor(Color color);
  // Called on every mouse press on the swatch, and on Space.
  void OnPress(std::function<void()> handler) { onPress_ = std::move(handler); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Color color_ = 0;
  std::function<void()> onPress_;
};

}  // namespace orbisk
