#pragma once
// A canvas for tests that records every call as one line of text, e.g.
// "Pen 0x0000ff 2", "Brush Clear", "FillRect 0 0 500 500", "MoveTo 1 2",
// "LineTo 3 4", "Ellipse 10 10 490 490", "Font Arial Cyr 12", "TextOut 423 5 a/b=0.5".
// Text is 7 pixels per character wide and 16 pixels high. Shapes given at exact
// positions are recorded at their pixels, as a raster canvas draws them.

#include <string>
#include <vector>

#include "platform/canvas.h"

namespace orbisk::testing {

class RecordingCanvas : public Canvas {
 public:
  static constexpr int kCharWidth = 7;
  static constexpr int kTextHeight = 16;

  void SetPen(Color color, int width) override;
  void SetBrushColor(Color color) override;
  void SetBrushStyle(BrushStyle style) override;
  void SetFont(const FontSpec& font) override;
  void FillRect(int left, int top, int right, int bottom) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void TextOut(int x, int y, const std::string& text) override;
  // kCharWidth per character (UTF-8 sequences count once); not recorded.
  int TextWidth(const std::string& text) override;
  int TextHeight() override { return kTextHeight; }

  // The calls whose line starts with prefix (e.g. "Ellipse"), in order.
  std::vector<std::string> CallsStartingWith(const std::string& prefix) const;

  std::vector<std::string> calls;
  // The current state, as the calls left it.
  BrushStyle brushStyle = BrushStyle::Solid;
  FontSpec font;
  // Brush style at each TextOut, in order.
  std::vector<BrushStyle> textBrushStyles;
};

}  // namespace orbisk::testing
