#include "gui/label_font_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/qt_fonts.h"

namespace orbisk {

LabelFontDialog::LabelFontDialog(ColorPicker pickColor, QWidget* parent)
    : QDialog(parent), pickColor_(std::move(pickColor)), fonts_(new QFontDialog(this)) {
  setObjectName("FontDialog");
  setWindowTitle("Font");
  // The font dialog as a part of this one: its own buttons hidden, and what
  // would close the part (Enter, Esc) closes this dialog instead.
  fonts_->setWindowFlags(Qt::Widget);
  fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
  fonts_->setSizeGripEnabled(false);
  fonts_->installEventFilter(this);
  connect(fonts_, &QDialog::accepted, this, &QDialog::accept);
  connect(fonts_, &QDialog::rejected, this, &QDialog::reject);
  // Made after the part has become a widget (which moved it to the end of
  // the focus chain), so that the keyboard starts in the font part.
  color_ = new ColorSwatch(this);
  color_->setObjectName("shLabelColor");
  color_->OnPress([this] { PickColor(); });
  auto* colorLabel = new QLabel("&Color:", this);
  colorLabel->setBuddy(color_);
  auto* colorRow = new QHBoxLayout;
  colorRow->addWidget(colorLabel);
  colorRow->addWidget(color_);
  colorRow->addStretch();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(fonts_);
  layout->addLayout(colorRow);
  layout->addWidget(buttons);
}

bool LabelFontDialog::eventFilter(QObject* watched, QEvent* event) {
  // A dialog swallows Enter when it has no visible default button, as the
  // part has none: Enter confirms this dialog.
  if (watched == fonts_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      accept();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void LabelFontDialog::SetLabelFont(const FontSpec& font) {
  preset_ = font;
  QFont shown = ToQFont(font);  // the face drawing uses, in pixels
  presetFamily_ = shown.family();
  if (font.size > 0) shown.setPointSize(font.size);
  shown.setStyleName(PlainStyleName(shown.family(), font.bold, font.italic));
  fonts_->setCurrentFont(shown);
  color_->SetColor(font.color);
  ShowSampleColor();
}

FontSpec LabelFontDialog::LabelFont() const {
  const QFont chosen = fonts_->currentFont();
  FontSpec font = preset_;
  if (chosen.family() != presetFamily_) font.name = chosen.family().toStdString();
  if (chosen.pointSize() > 0) font.size = chosen.pointSize();  // else the preset's size, untouched
  font.bold = chosen.bold();
  font.italic = chosen.italic();
  font.underline = chosen.underline();
  font.strikeOut = chosen.strikeOut();
  font.color = color_->GetColor();
  return font;
}

void LabelFontDialog::PickColor() {
  if (const std::optional<Color> chosen = pickColor_(color_->GetColor(), this)) {
    color_->SetColor(*chosen);
    ShowSampleColor();
  }
}

void LabelFontDialog::ShowSampleColor() {
  auto* sample = fonts_->findChild<QLineEdit*>("qt_fontDialog_sampleEdit");
  if (sample == nullptr) return;
  QPalette palette = sample->palette();
  palette.setColor(QPalette::Text, ToQColor(color_->GetColor()));
  sample->setPalette(palette);
}

}  // namespace orbisk
