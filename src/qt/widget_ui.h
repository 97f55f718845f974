#pragma once
// Ui on Qt Widgets: message boxes, the shared file dialogs, the wait cursor,
// pending events and the help page in the desktop's browser.

#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/ui.h"

namespace orbisk {

// The caption of every message and error box.
inline constexpr const char* kAppTitle = "Orbisk";

// The help page to open for the page beside the program: that one when it
// exists, else the installed copy in the program's data folder (for
// /usr/bin/orbisk.html, /usr/share/orbisk/orbisk.html); empty when neither
// exists.
QString FindHelpPage(const QString& besideProgram);

class WidgetUi : public Ui {
 public:
  // Boxes and dialogs open over the topmost modal dialog while one is open,
  // else over owner (may be null).
  explicit WidgetUi(QWidget* owner = nullptr);

  // One cursor state, as the commands expect: showing the hourglass twice
  // and restoring once leaves the normal cursor.
  void ShowHourglass() override;
  void RestoreCursor() override;
  void ProcessPendingEvents() override;

  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& text) override;
  void ShowInformation(const std::string& caption, const std::string& text) override;

  std::optional<std::string> RunFileDialog(FileDialogKind kind, const std::string& proposed) override;

  // Opens the HTML help page (FindHelpPage) with the desktop's browser; a
  // missing page or no browser is reported in an error box.
  void ShowHelp(const std::string& helpFile) override;

 private:
  QWidget* Owner() const;

  QPointer<QWidget> owner_;
};

}  // namespace orbisk
