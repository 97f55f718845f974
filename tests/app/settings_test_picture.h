#pragma once
// A picture bitmap that only keeps its size and the order in which it was set,
// for the settings tests.

#include <string>
#include <vector>

#include "platform/canvas.h"
#include "support/recording_canvas.h"

namespace orbisk::testing {

class SizedPicture : public Bitmap {
 public:
  int Width() const override { return width; }
  int Height() const override { return height; }
  void SetWidth(int w) override {
    width = w;
    resizes.push_back("W" + std::to_string(w));
  }
  void SetHeight(int h) override {
    height = h;
    resizes.push_back("H" + std::to_string(h));
  }
  Canvas& GetCanvas() override { return canvas; }
  void Whiteness() override {}
  void SaveToFile(const std::string&) override {}
  void CopyToClipboard() override {}

  int width = 0;
  int height = 0;
  std::vector<std::string> resizes;  // "H500", "W500", ... in order
  RecordingCanvas canvas;
};

}  // namespace orbisk::testing
