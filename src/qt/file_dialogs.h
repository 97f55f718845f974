#pragma once
// The three shared file dialogs of the main window as QFileDialog settings.

#include <QFileDialog>
#include <QString>
#include <QStringList>

#include "platform/ui.h"

namespace orbisk {

// The name filters of a dialog kind: "Data files (*.txt;*.dat;*.res)" matching
// *.dat, *.res and *.txt, then "All files"; one filter per picture format,
// "Bitmaps (*.bmp)" first; "GeoJSON files (*.geojson)" or "CSV files (*.csv)",
// then "All files", for the lines.
QStringList FileDialogFilters(FileDialogKind kind);
// "dat" for the data dialogs, "bmp" for the picture dialog, "geojson" and
// "csv" for the lines.
QString FileDialogSuffix(FileDialogKind kind);

// Configures dialog as the shared dialog of kind: filters, default suffix,
// open or save mode (saving asks before replacing a file), the proposed file
// selected. For pictures: the format of the proposed name chosen (BMP unless
// it names another), the default suffix following the chosen format, and a
// preview pane of the selected file beside a file list as wide as the other
// dialogs'.
void ConfigureFileDialog(QFileDialog& dialog, FileDialogKind kind, const QString& proposed = QString());

// A shared file dialog. The picture dialog writes the format of the chosen
// filter, so a name that does not end in its suffix gets the suffix appended
// before the dialog asks about replacing a file.
class SharedFileDialog : public QFileDialog {
 public:
  SharedFileDialog(FileDialogKind kind, const QString& proposed, QWidget* parent = nullptr);

  void accept() override;

 private:
  FileDialogKind kind_;
};

}  // namespace orbisk
