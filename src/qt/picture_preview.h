#pragma once
// The preview pane of the picture dialog: the selected picture, scaled down,
// under the caption "Picture:" and its size.

#include <QLabel>
#include <QString>
#include <QWidget>

namespace orbisk {

// "Picture: (WxH)" for a readable picture file, "Picture:" for anything else.
QString PreviewCaption(const QString& path);

class PicturePreview : public QWidget {
 public:
  explicit PicturePreview(QWidget* parent = nullptr);

  // Shows the picture file at path, or an empty pane when it is not one.
  void ShowFile(const QString& path);

  QString Caption() const { return caption_->text(); }

 private:
  QLabel* caption_;
  QLabel* image_;
};

}  // namespace orbisk
