#pragma once
// A main window wired to fakes and to a registry file in a temporary folder.

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "main_window_fakes.h"
#include "platform/file_registry.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace orbisk::testing {

// A 3 x 3 grid over a half annulus, values rising outwards.
inline constexpr const char* kSmallCylData = "3 0 3.14159\n3 1 2\n1 2 3\n1 2 3\n1 2 3\n";
// One polyline of three points between radii 1 and 2.
inline constexpr const char* kOnePolyline = "1 1 2\n3\n0 1 1 1.5 2 2\n";
// Two polylines.
inline constexpr const char* kTwoPolylines = "2 1 2\n2\n0 1 1 1\n2\n0 2 1 2\n";

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() : registry(dir.File("Kelvaro.reg")) {}

  void SetUp() override { Start(); }

  // Creates a fresh window on the same registry file, as a new run would.
  void Start() {
    ui = FakeUi{};
    bitmap = FakeBitmap{};
    main = std::make_unique<TfmMain>(ui, bitmap, registry, dialogs);
    main->FormCreate();
  }

  // Runs a command that asks for one file, answering with path.
  template <typename Command>
  void WithFile(const std::string& path, Command command) {
    ui.fileAnswers.push_back(path);
    command();
  }

  // Runs Tools > Settings, changing the dialog's controls before OK (the
  // settings command redraws afterwards).
  void ChangeSettings(const std::function<void(SettingsDialogControls&)>& change) {
    dialogs.settingsScript = [&](SettingsDialogModel& model) {
      model.FormActivate();
      change(model.controls);
      model.Transfer();
    };
    main->mnSettingsClick();
    dialogs.settingsScript = nullptr;
  }

  std::string File(const std::string& name, const std::string& content) {
    std::string path = dir.File(name);
    WriteFile(path, content);
    return path;
  }

  TempDir dir;
  FileRegistry registry;
  FakeUi ui;
  FakeBitmap bitmap;
  FakeDialogs dialogs;
  std::unique_ptr<TfmMain> main;
};

}  // namespace orbisk::testing
