#pragma once
// The Ui that the main window's commands see: while a command runs, the
// default cursor it asks for is held back, so that the hourglass stays through
// the drawing until the command has ended and its picture is on screen. A box
// or file dialog shown after such a request gets the default cursor first; one
// shown while the work goes on keeps the hourglass, as the command wants.

#include "platform/ui.h"

namespace orbisk {

class CommandCursorUi : public Ui {
 public:
  // Passes everything on to inner, which must outlive this.
  explicit CommandCursorUi(Ui& inner) : inner_(inner) {}

  // From here, restoring the cursor waits for EndCommand.
  void BeginCommand();
  // Restores the default cursor if the command asked for it, or left the
  // hourglass showing.
  void EndCommand();

  void ShowHourglass() override;
  void RestoreCursor() override;
  void ProcessPendingEvents() override { inner_.ProcessPendingEvents(); }
  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& text) override;
  void ShowInformation(const std::string& caption, const std::string& text) override;
  std::optional<std::string> RunFileDialog(FileDialogKind kind, const std::string& proposed) override;
  void ShowHelp(const std::string& helpFile) override;

 private:
  // Restores the cursor now if a restore is held back.
  void ReleaseHeldCursor();

  Ui& inner_;
  bool inCommand_ = false;
  bool hourglass_ = false;  // shown and not restored yet
  bool held_ = false;       // the command asked for the default cursor
};

}  // namespace orbisk
