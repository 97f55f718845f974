// The shared file dialogs and the picture dialog's preview pane.

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTreeView>
#include <gtest/gtest.h>

#include "gui_test_support.h"
#include "qt/file_dialogs.h"
#include "qt/picture_preview.h"
#include "qt/qt_bitmap.h"
#include "qt/widget_ui.h"
#include "support/temp_dir.h"

namespace orbisk {
namespace {

using testing::AnswerNextDialog;
using testing::ReadFile;
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
      {FileDialogKind::Picture,
       {"Bitmaps (*.bmp)", "PNG pictures (*.png)", "SVG drawings (*.svg)", "PDF documents (*.pdf)"}},
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

TEST(PictureDialog, TheProposedNameChoosesItsFormatAndBmpIsTheDefault) {
  const struct {
    const char* proposed;
    const char* filter;
    const char* suffix;
  } cases[] = {
      {"new.bmp", "Bitmaps (*.bmp)", "bmp"},      {"", "Bitmaps (*.bmp)", "bmp"},
      {"map.jpg", "Bitmaps (*.bmp)", "bmp"},      {"map.PNG", "PNG pictures (*.png)", "png"},
      {"map.svg", "SVG drawings (*.svg)", "svg"},
  };
  for (const auto& row : cases) {
    QFileDialog dialog;
    ConfigureFileDialog(dialog, FileDialogKind::Picture, row.proposed);
    EXPECT_EQ(dialog.findChild<QComboBox*>("fileTypeCombo")->currentText(), row.filter) << row.proposed;
    EXPECT_EQ(dialog.defaultSuffix(), row.suffix) << row.proposed;
  }
}

TEST(PictureDialog, WhatIsWrittenIsTheChosenFormatUnderItsSuffix) {
  TempDir dir;
  const struct {
    const char* typed;
    int filter;  // index in the type list
    const char* saved;
    const char* magic;  // the saved file's first bytes
  } cases[] = {
      {"a", 0, "a.bmp", "BM"},         {"b", 1, "b.png", "\x89PNG"}, {"c.svg", 2, "c.svg", "<?xml"},
      {"d.png", 0, "d.png.bmp", "BM"}, {"e.BMP", 0, "e.BMP", "BM"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.typed);
    AnswerNextDialog([&](QDialog& dialog) {
      auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
      // As a person choosing it: the combo box signals both.
      types->setCurrentIndex(row.filter);
      emit types->activated(row.filter);
      emit types->textActivated(types->currentText());
      dialog.findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(dir.File(row.typed)));
      dialog.accept();
    });
    WidgetUi ui;
    const std::optional<std::string> saved = ui.RunFileDialog(FileDialogKind::Picture, "new.bmp");
    ASSERT_EQ(saved, dir.File(row.saved));
    QtBitmap bitmap(8, 8);
    bitmap.SaveToFile(*saved);
    EXPECT_EQ(ReadFile(*saved).rfind(row.magic, 0), 0u);
  }
}

TEST(PictureDialog, AsksBeforeReplacingTheFileUnderTheAppendedSuffix) {
  TempDir dir;
  WriteFile(dir.File("map.png.bmp"), "old");
  QString question;
  AnswerNextDialog([&](QDialog& dialog) {
    dialog.findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(dir.File("map.png")));
    AnswerNextDialog([&](QDialog& box) {
      question = static_cast<QMessageBox&>(box).text();
      box.reject();  // No: the dialog stays open
    });
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    dialog.reject();
  });
  WidgetUi ui;
  EXPECT_EQ(ui.RunFileDialog(FileDialogKind::Picture, "new.bmp"), std::nullopt);
  EXPECT_TRUE(question.contains("map.png.bmp")) << question.toStdString();
  EXPECT_EQ(ReadFile(dir.File("map.png.bmp")), "old");
}

TEST(PictureDialog, ThePreviewPaneLeavesTheFileListItsWidth) {
  auto listWidth = [](FileDialogKind kind) {
    QFileDialog dialog;
    ConfigureFileDialog(dialog, kind);
    dialog.show();
    const int width = dialog.findChild<QTreeView*>("treeView")->viewport()->width();
    dialog.hide();
    return width;
  };
  EXPECT_GE(listWidth(FileDialogKind::Picture), listWidth(FileDialogKind::Save));
}

}  // namespace
}  // namespace orbisk
