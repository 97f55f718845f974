#pragma once
// Pieces the settings dialog and its Levels dialog share: their small font,
// row height and the OK and Cancel buttons.

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace orbisk {

// Rows are this high, so that every control fits the settings dialog's fixed
// size with the usual 8-point fonts.
inline constexpr int kDialogRowHeight = 19;
inline constexpr int kDialogButtonWidth = 56;

// Gives the dialog the 8-point font of its controls.
void UseSmallFont(QDialog* dialog);

// A one-row edit named name.
QLineEdit* NewRowEdit(QWidget* parent, const char* name);

struct OkCancelButtons {
  QPushButton* ok;
  QPushButton* cancel;
};

// "OK" (the default button, accepting) and "Отмена" (rejecting), named btOk
// and btCancel.
OkCancelButtons NewOkCancelButtons(QDialog* dialog);

}  // namespace orbisk
