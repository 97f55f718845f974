#pragma once
// A picture bitmap that only keeps its size and the order in which it was set,
// for the settings tests.

#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/error.h"
#include "support/recording_canvas.h"

namespace orbisk::testing {

class SizedPicture : public Bitmap {
 public:
  int Width() const override { return width; }
  int Height() const override { return height; }
  // Refuses more pixels than a picture may have, as the Qt picture does.
  void SetWidth(int w) override {
    if (static_cast<long long>(w) * height > kMaxPixels) throw Error("Out of memory");
    width = w;
    resizes.push_back("W" + std::to_string(w));
  }
  void SetHeight(int h) override {
    if (static_cast<long long>(width) * h > kMaxPixels) throw Error("Out of memory");
    height = h;
    resizes.push_back("H" + std::to_string(h));
  }
  Canvas& GetCanvas() override { return canvas; }
  void Whiteness() override {}
  void SaveToFile(const std::string&) override {}
  void CopyToClipboard() override {}

  static constexpr long long kMaxPixels = 1LL << 28;
  int width = 0;
  int height = 0;
  std::vector<std::string> resizes;  // "H500", "W500", ... in order
  RecordingCanvas canvas;
};

}  // namespace orbisk::testing
