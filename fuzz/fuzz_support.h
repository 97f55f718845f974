#pragma once
// Quiet stand-ins for the platform services that the fuzzed code calls.

#include <string>

#include "platform/canvas.h"
#include "platform/silent_ui.h"
#include "support/recording_canvas.h"

namespace orbisk::fuzz {

// A picture bitmap that only remembers its size and records its drawing.
class NullBitmap : public Bitmap {
 public:
  int Width() const override { return width; }
  int Height() const override { return height; }
  void SetWidth(int w) override { width = w; }
  void SetHeight(int h) override { height = h; }
  Canvas& GetCanvas() override { return canvas; }
  void Whiteness() override { canvas.calls.clear(); }
  void SaveToFile(const std::string&) override {}
  void CopyToClipboard() override {}

  int width = 500;
  int height = 500;
  testing::RecordingCanvas canvas;
};

}  // namespace orbisk::fuzz
