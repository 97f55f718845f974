// The shared file dialogs and the picture dialog's preview pane.

#include <QComboBox>
#include <QFileDialog>
#include <gtest/gtest.h>

#include "qt/file_dialogs.h"
#include "qt/picture_preview.h"
#include "qt/qt_bitmap.h"
#include "support/temp_dir.h"

namespace orbisk {
namespace {

using testing::TempDir;
using testing::WriteFile;

TEST(PicturePreview, CaptionGivesTheSizeOfAReadablePictureOnly) {
  TempDir dir;
  QtBitmap bitmap(30, 20);
  bitmap.SaveToFile(dir.File("small.bmp"));
  WriteFile(dir.File("text.bmp"), "not a picture");
  EXPECT_EQ(PreviewCaption(QString::fromStdString(dir.File("small.bmp"))), "Picture: (30x20)");
  EXPECT_EQ(PreviewCaption(QString::fromStdString(dir.File("text.bmp"))), "Picture:");
  EXPECT_EQ(PreviewCaption(QString::fromStdString(dir.File("missing.bmp"))), "Picture:");
  EXPECT_EQ(PreviewCaption(QString::fromStdString(dir.path().string())), "Picture:");

  PicturePreview preview;
  preview.ShowFile(QString::fromStdString(dir.File("small.bmp")));
  EXPECT_EQ(preview.Caption(), "Picture: (30x20)");
  preview.ShowFile(QString());
  EXPECT_EQ(preview.Caption(), "Picture:");
}

TEST(PicturePreview, ShowsTheProposedPictureBeforeAnythingIsClicked) {
  TempDir dir;
  QtBitmap bitmap(40, 10);
  bitmap.SaveToFile(dir.File("last.bmp"));
  QFileDialog dialog;
  ConfigureFileDialog(dialog, FileDialogKind::Picture, QString::fromStdString(dir.File("last.bmp")));
  auto* preview = static_cast<PicturePreview*>(dialog.findChild<QWidget*>("picturePreview"));
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(preview->Caption(), "Picture: (40x10)");
}

TEST(FileDialogs, EachKindReadsOrWritesItsFilesAndTheSaversConfirm) {
  const struct {
    FileDialogKind kind;
    QFileDialog::AcceptMode mode;
    const char* suffix;
    bool preview;
  } cases[] = {
      {FileDialogKind::Open, QFileDialog::AcceptOpen, "dat", false},
      {FileDialogKind::Save, QFileDialog::AcceptSave, "dat", false},
      {FileDialogKind::Picture, QFileDialog::AcceptSave, "bmp", true},
  };
  for (const auto& row : cases) {
    QFileDialog dialog;
    ConfigureFileDialog(dialog, row.kind);
    EXPECT_EQ(dialog.acceptMode(), row.mode);
    EXPECT_EQ(dialog.defaultSuffix(), row.suffix);
    EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialog.findChild<QWidget*>("picturePreview") != nullptr, row.preview);
  }
}

TEST(FileDialogs, FilterCaptionsHideTheMatchingPatterns) {
  const struct {
    FileDialogKind kind;
    QStringList captions;
  } cases[] = {
      {FileDialogKind::Open, {"Data files (*.txt;*.dat;*.res)", "All files"}},
      {FileDialogKind::Picture, {"Bitmaps (*.bmp)"}},
  };
  for (const auto& row : cases) {
    QFileDialog dialog;
    ConfigureFileDialog(dialog, row.kind);
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    QStringList shown;
    for (int i = 0; i < types->count(); ++i) shown << types->itemText(i);
    EXPECT_EQ(shown, row.captions);
  }
}

}  // namespace
}  // namespace orbisk
