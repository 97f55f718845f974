#include "qt/widget_ui.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

#include "qt/file_dialogs.h"

namespace orbisk {

QString FindHelpPage(const QString& besideProgram) {
  const QFileInfo beside(besideProgram);
  if (beside.isFile()) return besideProgram;
  const QFileInfo installed(beside.dir(), QStringLiteral(ORBISK_DATA_FROM_BIN "/") + beside.fileName());
  if (installed.isFile()) return installed.absoluteFilePath();
  return QString();
}

namespace {

void ShowBox(QWidget* owner, QMessageBox::Icon icon, const QString& caption, const std::string& text) {
  QMessageBox box(icon, caption, QString::fromStdString(text), QMessageBox::Ok, owner);
  box.exec();
}

}  // namespace

WidgetUi::WidgetUi(QWidget* owner) : owner_(owner) {}

QWidget* WidgetUi::Owner() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return owner_;
}

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

void WidgetUi::ShowMessage(const std::string& text) { ShowBox(Owner(), QMessageBox::NoIcon, kAppTitle, text); }

void WidgetUi::ShowError(const std::string& text) { ShowBox(Owner(), QMessageBox::Critical, kAppTitle, text); }

void WidgetUi::ShowInformation(const std::string& caption, const std::string& text) {
  ShowBox(Owner(), QMessageBox::Information, QString::fromStdString(caption), text);
}

std::optional<std::string> WidgetUi::RunFileDialog(FileDialogKind kind, const std::string& proposed) {
  SharedFileDialog dialog(kind, QString::fromStdString(proposed), Owner());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return files.front().toStdString();
}

void WidgetUi::ShowHelp(const std::string& helpFile) {
  const QString path = FindHelpPage(QString::fromStdString(helpFile));
  if (path.isEmpty()) {
    ShowError("Cannot find the help file " + helpFile + ".");
    return;
  }
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
    ShowError("Cannot open the help file " + path.toStdString() + ": no web browser could be started.");
  }
}

}  // namespace orbisk
