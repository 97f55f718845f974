#pragma once
// Quiet stand-ins for the platform services that the fuzzed code calls.

#include <string>

#include "platform/canvas.h"
#include "platform/ui.h"
#include "support/recording_canvas.h"

namespace orbisk::fuzz {

// A Ui that shows nothing and cancels every dialog.
class NullUi : public Ui {
 public:
  void ShowHourglass() override {}
  void RestoreCursor() override {}
  void ProcessPendingEvents() override {}
  void ShowMessage(const std::string&) override { ++messages; }
  void ShowError(const std::string&) override { ++messages; }
  void ShowInformation(const std::string&, const std::string&) override {}
  std::optional<std::string> RunFileDialog(FileDialogKind, const std::string&) override {
    return std::nullopt;
  }
  void ShowHelp(const std::string&) override {}

  int messages = 0;
};

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
