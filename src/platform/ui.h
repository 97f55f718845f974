#pragma once
// The services of the windowing platform that the toolkit-free layers use.
// The desktop program implements it with Qt; tests use a scripted fake.

#include <optional>
#include <string>

namespace orbisk {

// The three shared file dialogs of the main window, and the two that save the
// contour lines as data.
enum class FileDialogKind {
  Open,          // data files, for reading
  Save,          // data files, for writing (asks before replacing)
  Picture,       // BMP pictures, for writing (asks before replacing)
  LinesGeoJson,  // GeoJSON files, for writing (asks before replacing)
  LinesCsv,      // CSV files, for writing (asks before replacing)
};

class Ui {
 public:
  virtual ~Ui() = default;

  // Screen cursor: the hourglass while long work runs, then the default one.
  virtual void ShowHourglass() = 0;
  virtual void RestoreCursor() = 0;
  // Lets the application process its pending events once.
  virtual void ProcessPendingEvents() = 0;

  // Plain message box: no icon, one OK button, the application's title.
  virtual void ShowMessage(const std::string& text) = 0;
  // Error box: error icon, one OK button, the application's title.
  virtual void ShowError(const std::string& text) = 0;
  // Information box with its own caption (About).
  virtual void ShowInformation(const std::string& caption, const std::string& text) = 0;

  // Runs one of the shared file dialogs proposing `proposed`; returns the
  // confirmed name, or nothing when the user cancels.
  virtual std::optional<std::string> RunFileDialog(FileDialogKind kind, const std::string& proposed) = 0;

  // Shows the help file (context 0).
  virtual void ShowHelp(const std::string& helpFile) = 0;
};

}  // namespace orbisk
