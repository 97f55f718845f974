#include "gui/command_cursor_ui.h"

namespace orbisk {

void CommandCursorUi::BeginCommand() { inCommand_ = true; }

void CommandCursorUi::EndCommand() {
  inCommand_ = false;
  held_ = false;
  if (!hourglass_) return;
  hourglass_ = false;
  inner_.RestoreCursor();
}

void CommandCursorUi::ShowHourglass() {
  hourglass_ = true;
  held_ = false;
  inner_.ShowHourglass();
}

void CommandCursorUi::RestoreCursor() {
  if (inCommand_ && hourglass_) {
    held_ = true;
    return;
  }
  hourglass_ = false;
  inner_.RestoreCursor();
}

void CommandCursorUi::ReleaseHeldCursor() {
  if (!held_) return;
  held_ = false;
  hourglass_ = false;
  inner_.RestoreCursor();
}

void CommandCursorUi::ShowMessage(const std::string& text) {
  ReleaseHeldCursor();
  inner_.ShowMessage(text);
}

void CommandCursorUi::ShowError(const std::string& text) {
  ReleaseHeldCursor();
  inner_.ShowError(text);
}

void CommandCursorUi::ShowInformation(const std::string& caption, const std::string& text) {
  ReleaseHeldCursor();
  inner_.ShowInformation(caption, text);
}

std::optional<std::string> CommandCursorUi::RunFileDialog(FileDialogKind kind, const std::string& proposed) {
  ReleaseHeldCursor();
  return inner_.RunFileDialog(kind, proposed);
}

void CommandCursorUi::ShowHelp(const std::string& helpFile) {
  ReleaseHeldCursor();
  inner_.ShowHelp(helpFile);
}

}  // namespace orbisk
