#pragma once
// Fakes of the main window's front-end services: a picture bitmap drawing onto
// a recording canvas, and scripted modal dialogs.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/main_dialogs.h"
#include "app/settings_dialog_model.h"
#include "platform/canvas.h"
#include "support/recording_canvas.h"

namespace orbisk::testing {

// A bitmap that records its drawing; SaveToFile writes a text picture of the
// size and the drawing calls, so a test can tell a blank picture from a map.
class FakeBitmap : public Bitmap {
 public:
  int Width() const override { return width; }
  int Height() const override { return height; }
  void SetWidth(int w) override { width = w; }
  void SetHeight(int h) override { height = h; }
  Canvas& GetCanvas() override { return canvas; }
  void Whiteness() override { canvas.calls.clear(); }
  void SaveToFile(const std::string& path) override;
  void CopyToClipboard() override { copies.emplace_back(width, height); }

  // The file text SaveToFile writes for the picture as it is now.
  std::string Picture() const;
  // True when anything has been painted since the last Whiteness.
  bool Drawn() const { return !canvas.calls.empty(); }

  int width = 0;
  int height = 0;
  RecordingCanvas canvas;
  std::vector<std::pair<int, int>> copies;  // (width, height) of each copy
};

// Scripted dialogs. The function dialog answers from a queue; an empty queue
// presses OK on the texts shown. The settings dialog runs settingsScript.
class FakeDialogs : public MainDialogs {
 public:
  bool RunFunctionDialog(FunctionTexts& texts, FormulaEngine& engine) override;
  void RunSettingsDialog(SettingsDialogModel& model) override;
  std::string ProgramPath() const override { return programPath; }
  void CloseMainWindow() override { ++closeRequests; }

  // Next answers of the function dialog: texts typed before OK, or nothing
  // for Cancel. OK runs the dialog's check; a refused text is recorded in
  // refusals and the dialog is then cancelled.
  std::deque<std::optional<FunctionTexts>> functionAnswers;
  std::vector<FunctionTexts> functionShown;
  std::vector<std::string> refusals;

  std::function<void(SettingsDialogModel&)> settingsScript;
  int settingsRuns = 0;

  std::string programPath = "/opt/orbisk/bin/orbisk";
  int closeRequests = 0;
};

}  // namespace orbisk::testing
