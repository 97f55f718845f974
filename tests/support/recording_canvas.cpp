#include "support/recording_canvas.h"

#include <cstdio>

namespace orbisk::testing {

namespace {

std::string Join(const char* name, std::initializer_list<int> values) {
  std::string line = name;
  for (int v : values) line += " " + std::to_string(v);
  return line;
}

}  // namespace

void RecordingCanvas::SetPen(Color color, int width) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%06x", static_cast<unsigned>(color));
  calls.push_back(std::string("Pen ") + hex + " " + std::to_string(width));
}

void RecordingCanvas::SetBrushColor(Color color) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%06x", static_cast<unsigned>(color));
  calls.push_back(std::string("BrushColor ") + hex);
}

void RecordingCanvas::SetBrushStyle(BrushStyle style) {
  brushStyle = style;
  calls.push_back(style == BrushStyle::Solid ? "Brush Solid" : "Brush Clear");
}

void RecordingCanvas::SetFont(const FontSpec& f) {
  font = f;
  calls.push_back("Font " + f.name + " " + std::to_string(f.size));
}

void RecordingCanvas::FillRect(int left, int top, int right, int bottom) {
  calls.push_back(Join("FillRect", {left, top, right, bottom}));
}

void RecordingCanvas::MoveTo(int x, int y) { calls.push_back(Join("MoveTo", {x, y})); }

void RecordingCanvas::LineTo(int x, int y) { calls.push_back(Join("LineTo", {x, y})); }

void RecordingCanvas::Ellipse(int left, int top, int right, int bottom) {
  calls.push_back(Join("Ellipse", {left, top, right, bottom}));
}

void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
  textBrushStyles.push_back(brushStyle);
  calls.push_back(Join("TextOut", {x, y}) + " " + text);
}

int RecordingCanvas::TextWidth(const std::string& text) {
  int characters = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80) ++characters;
  }
  return characters * kCharWidth;
}

std::vector<std::string> RecordingCanvas::CallsStartingWith(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& call : calls) {
    if (call.rfind(prefix, 0) == 0) found.push_back(call);
  }
  return found;
}

}  // namespace orbisk::testing
