#include "qt/picture_preview.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>
#include <QVBoxLayout>

namespace orbisk {

namespace {

constexpr int kPaneSize = 160;  // the preview's square, in pixels

}  // namespace

QString PreviewCaption(const QString& path) {
  QString caption = QStringLiteral("Picture:");
  if (!QFileInfo(path).isFile()) return caption;
  QImageReader reader(path);
  const QSize size = reader.size();
  if (reader.canRead() && size.isValid()) caption += QString::asprintf(" (%dx%d)", size.width(), size.height());
  return caption;
}

PicturePreview::PicturePreview(QWidget* parent)
    : QWidget(parent), caption_(new QLabel(PreviewCaption(QString()), this)), image_(new QLabel(this)) {
  image_->setFixedSize(kPaneSize, kPaneSize);
  image_->setAlignment(Qt::AlignCenter);
  image_->setFrameShape(QFrame::StyledPanel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption_);
  layout->addWidget(image_);
  layout->addStretch();
}

void PicturePreview::ShowFile(const QString& path) {
  caption_->setText(PreviewCaption(path));
  QPixmap picture;
  if (QFileInfo(path).isFile() && picture.load(path)) {
    if (picture.width() > kPaneSize || picture.height() > kPaneSize) {
      picture = picture.scaled(kPaneSize, kPaneSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    image_->setPixmap(picture);
  } else {
    image_->clear();
  }
}

}  // namespace orbisk
