#include "qt/file_dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLineEdit>

#include "qt/picture_formats.h"
#include "qt/picture_preview.h"

namespace orbisk {

namespace {

void AddPicturePreview(QFileDialog& dialog, const QString& proposed) {
  auto* preview = new PicturePreview(&dialog);
  preview->setObjectName("picturePreview");
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
    grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
  }
  QObject::connect(&dialog, &QFileDialog::currentChanged, preview, &PicturePreview::ShowFile);
  // The proposed file is selected before the pane listens; show it at once.
  if (!proposed.isEmpty()) preview->ShowFile(dialog.directory().absoluteFilePath(proposed));
  // The pane widens the dialog rather than narrowing the file list.
  dialog.resize(dialog.size().expandedTo(dialog.sizeHint()));
}

void ChoosePictureFormat(QFileDialog& dialog, const QString& proposed) {
  const PictureFormat& format = PictureFormatOf(proposed);
  dialog.selectNameFilter(PictureFilter(format));
  dialog.setDefaultSuffix(format.suffix);
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog](const QString& filter) { dialog.setDefaultSuffix(PictureFormatOfFilter(filter).suffix); });
}

}  // namespace

// Each filter is "caption (patterns)": the dialog hides the last parenthesis
// and matches by it, so the caption can list the patterns its own way.
QStringList FileDialogFilters(FileDialogKind kind) {
  switch (kind) {
    case FileDialogKind::Open:
    case FileDialogKind::Save:
      break;
    case FileDialogKind::LinesGeoJson:
      return {"GeoJSON files (*.geojson) (*.geojson)", "All files (*)"};
    case FileDialogKind::LinesCsv:
      return {"CSV files (*.csv) (*.csv)", "All files (*)"};
    case FileDialogKind::Picture: {
      QStringList filters;
      for (const PictureFormat& format : PictureFormats()) filters << PictureFilter(format);
      return filters;
    }
  }
  return {"Data files (*.txt;*.dat;*.res) (*.dat *.res *.txt)", "All files (*)"};
}

QString FileDialogSuffix(FileDialogKind kind) {
  switch (kind) {
    case FileDialogKind::Open:
    case FileDialogKind::Save:
      break;
    case FileDialogKind::Picture:
      return QStringLiteral("bmp");
    case FileDialogKind::LinesGeoJson:
      return QStringLiteral("geojson");
    case FileDialogKind::LinesCsv:
      return QStringLiteral("csv");
  }
  return QStringLiteral("dat");
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
  ChoosePictureFormat(dialog, proposed);
  AddPicturePreview(dialog, proposed);
}

SharedFileDialog::SharedFileDialog(FileDialogKind kind, const QString& proposed, QWidget* parent)
    : QFileDialog(parent), kind_(kind) {
  ConfigureFileDialog(*this, kind, proposed);
}

void SharedFileDialog::accept() {
  const QStringList files = selectedFiles();
  if (kind_ == FileDialogKind::Picture && files.size() == 1 && !QFileInfo(files.front()).isDir()) {
    const QString named = WithPictureSuffix(files.front(), PictureFormatOfFilter(selectedNameFilter()));
    if (named != files.front()) {
      // The name as typed is what the dialog checks; give it the suffix.
      if (auto* edit = findChild<QLineEdit*>("fileNameEdit")) {
        edit->setText(named);
      } else {
        selectFile(named);
      }
    }
  }
  QFileDialog::accept();
}

}  // namespace orbisk
