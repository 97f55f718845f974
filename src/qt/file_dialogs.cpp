#include "qt/file_dialogs.h"

#include <QDir>
#include <QGridLayout>

#include "qt/picture_preview.h"

namespace orbisk {

// Each filter is "caption (patterns)": the dialog hides the last parenthesis
// and matches by it, so the caption can list the patterns its own way.
QStringList FileDialogFilters(FileDialogKind kind) {
  if (kind == FileDialogKind::Picture) return {"Bitmaps (*.bmp) (*.bmp)"};
  return {"Data files (*.txt;*.dat;*.res) (*.dat *.res *.txt)", "All files (*)"};
}

QString FileDialogSuffix(FileDialogKind kind) {
  return kind == FileDialogKind::Picture ? QStringLiteral("bmp") : QStringLiteral("dat");
}

void ConfigureFileDialog(QFileDialog& dialog, FileDialogKind kind, const QString& proposed) {
  // The widget-based dialog everywhere: the same look on every desktop, and
  // the only one that takes a preview pane.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilters(FileDialogFilters(kind));
  dialog.setDefaultSuffix(FileDialogSuffix(kind));
  if (kind == FileDialogKind::Open) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  }
  if (!proposed.isEmpty()) dialog.selectFile(proposed);
  if (kind != FileDialogKind::Picture) return;
  auto* preview = new PicturePreview(&dialog);
  preview->setObjectName("picturePreview");
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
    grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
  }
  QObject::connect(&dialog, &QFileDialog::currentChanged, preview, &PicturePreview::ShowFile);
  // The proposed file is selected before the pane listens; show it at once.
  if (!proposed.isEmpty()) preview->ShowFile(dialog.directory().absoluteFilePath(proposed));
}

}  // namespace orbisk
