#pragma once
// TfmEdFCylinder, the function-and-domain dialog: seven edits for the formula
// and the domain texts. OK closes only when the texts pass the domain check;
// Cancel, Esc and the close box close at once without any check.

#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "app/main_dialogs.h"

namespace orbisk {

class FormulaEngine;
class Ui;

class TfmEdFCylinder : public QDialog {
 public:
  // Faults of the check are shown through ui. Created once, hidden.
  explicit TfmEdFCylinder(Ui& ui, QWidget* parent = nullptr);

  // Shows the dialog modally with texts in its edits; true when it closed with
  // OK, texts then holding the accepted edits.
  bool Run(FunctionTexts& texts, FormulaEngine& engine);

  // The edits' texts, and the engine the OK check uses, for a showing.
  void Prepare(const FunctionTexts& texts, FormulaEngine& engine);
  FunctionTexts Texts() const;

  QLineEdit* Edit(FunctionText which) const { return edits_[which]; }
  QPushButton* OkButton() const { return btOk_; }
  QPushButton* CancelButton() const { return btCancel_; }

  // The close check on OK: the first fault in an error box, the dialog then
  // stays open; an error the check raises goes to the default handler.
  void accept() override;

 private:
  void BuildControls();
  // The OK and Cancel buttons, centred in a row.
  QHBoxLayout* BuildButtons();
  void SetTabOrder();

  Ui& ui_;
  FormulaEngine* engine_ = nullptr;
  std::array<QLineEdit*, 7> edits_{};
  QPushButton* btOk_ = nullptr;
  QPushButton* btCancel_ = nullptr;
};

}  // namespace orbisk
