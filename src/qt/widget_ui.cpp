#include "qt/widget_ui.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

#include "qt/file_dialogs.h"

namespace orbisk {

namespace {

void ShowBox(QWidget* owner, QMessageBox::Icon icon, const QString& caption, const std::string& text) {
  QMessageBox box(icon, caption, QString::fromStdString(text), QMessageBox::Ok, owner);
  box.exec();
}

}  // namespace

WidgetUi::WidgetUi(QWidget* owner) : owner_(owner) {}

void WidgetUi::ShowHourglass() {
  if (QApplication::overrideCursor() == nullptr) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::changeOverrideCursor(Qt::WaitCursor);
  }
}

void WidgetUi::RestoreCursor() {
  while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
}

void WidgetUi::ProcessPendingEvents() { QCoreApplication::processEvents(); }

void WidgetUi::ShowMessage(const std::string& text) { ShowBox(owner_, QMessageBox::NoIcon, kAppTitle, text); }

void WidgetUi::ShowError(const std::string& text) { ShowBox(owner_, QMessageBox::Critical, kAppTitle, text); }

void WidgetUi::ShowInformation(const std::string& caption, const std::string& text) {
  ShowBox(owner_, QMessageBox::Information, QString::fromStdString(caption), text);
}

std::optional<std::string> WidgetUi::RunFileDialog(FileDialogKind kind, const std::string& proposed) {
  QFileDialog dialog(owner_);
  ConfigureFileDialog(dialog, kind, QString::fromStdString(proposed));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return files.front().toStdString();
}

void WidgetUi::ShowHelp(const std::string& helpFile) {
  const QString path = QString::fromStdString(helpFile);
  if (!QFileInfo(path).isFile()) {
    ShowError("Cannot find the help file " + helpFile + ".");
    return;
  }
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
    ShowError("Cannot open the help file " + helpFile + ": no web browser could be started.");
  }
}

}  // namespace orbisk
