#pragma once
// The three shared file dialogs of the main window as QFileDialog settings.

#include <QFileDialog>
#include <QString>
#include <QStringList>

#include "platform/ui.h"

namespace orbisk {

// The name filters of a dialog kind: "Data files (*.txt;*.dat;*.res)" matching
// *.dat, *.res and *.txt, then "All files"; or "Bitmaps (*.bmp)".
QStringList FileDialogFilters(FileDialogKind kind);
// "dat" for the data dialogs, "bmp" for the picture dialog.
QString FileDialogSuffix(FileDialogKind kind);

// Configures dialog as the shared dialog of kind: filters, default suffix,
// open or save mode (saving asks before replacing a file), the proposed file
// selected, and for pictures a preview pane of the selected file.
void ConfigureFileDialog(QFileDialog& dialog, FileDialogKind kind, const QString& proposed = QString());

}  // namespace orbisk
