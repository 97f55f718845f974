#include "gui/dialog_parts.h"

#include <QStyle>

namespace orbisk {

void UseSmallFont(QDialog* dialog) {
  QFont small = dialog->font();
  small.setPointSize(8);
  dialog->setFont(small);
}

QLineEdit* NewRowEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setFixedHeight(kDialogRowHeight);
  return edit;
}

OkCancelButtons NewOkCancelButtons(QDialog* dialog) {
  auto* ok = new QPushButton(dialog->style()->standardIcon(QStyle::SP_DialogOkButton), "OK", dialog);
  ok->setObjectName("btOk");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Отмена", dialog);
  cancel->setObjectName("btCancel");
  cancel->setAutoDefault(false);
  for (QPushButton* button : {ok, cancel}) button->setMinimumWidth(kDialogButtonWidth);
  QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return {ok, cancel};
}

}  // namespace orbisk
