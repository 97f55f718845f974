#pragma once
// The settings dialog's sample label: a word drawn in the label font, scaled
// down to fit the label when the font is too large for it. Its size never
// depends on the font, so a huge font cannot grow the dialog.

#include <QLabel>

namespace orbisk {

class FontSample : public QLabel {
 public:
  explicit FontSample(const QString& text, QWidget* parent = nullptr);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  // The factor the text is drawn at: 1, or less when it would not fit.
  double Scale() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace orbisk
