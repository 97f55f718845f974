#pragma once
// The front-end services the main window needs beyond Ui: its two modal
// dialogs, the program's own path (the help file lies beside it), the locale's
// decimal separator and closing the main window. The desktop program
// implements it with widgets; tests use a scripted fake.

#include <array>
#include <string>

#include "polar_data/function_record.h"

namespace orbisk {

class FormulaEngine;
class SettingsDialogModel;

// Indexes of the seven texts of the function-and-domain dialog, in the order
// of the function record.
enum FunctionText : int {
  kTextF = 0,        // SFCyl, edF
  kTextFiStart = 1,  // SFiStart, edFiStart
  kTextFiEnd = 2,    // SFiEnd, edFiEnd
  kTextRInt = 3,     // SRInt, edRInt
  kTextRExt = 4,     // SRExt, edRExt
  kTextNFi = 5,      // SNFi, edNFi
  kTextNR = 6,       // SNR, edNR
};

using FunctionTexts = std::array<std::string, 7>;

// The seven texts of a function record, for the dialog's edits.
FunctionTexts TextsOf(const FunctionRecord& record);
// A function record holding texts, with ErrorValue taken from base.
FunctionRecord WithTexts(const FunctionRecord& base, const FunctionTexts& texts);

class MainDialogs {
 public:
  virtual ~MainDialogs() = default;

  // Shows the function-and-domain dialog modally with texts in its edits.
  // Returns true when it closed with OK, texts then holding what the user
  // accepted; the dialog checks the texts through engine before it lets OK
  // close it. Returns false on Cancel (texts then mean nothing).
  virtual bool RunFunctionDialog(FunctionTexts& texts, FormulaEngine& engine) = 0;

  // Shows the settings dialog modally on model, which works on the main
  // window's items: it fills the controls, transfers them back on OK and
  // resets them with Default.
  virtual void RunSettingsDialog(SettingsDialogModel& model) = 0;

  // Full path of the program file, e.g. "/opt/orbisk/bin/orbisk".
  virtual std::string ProgramPath() const = 0;

  // The decimal separator of the user's locale, used in the ratio label.
  virtual char DecimalSeparator() const { return '.'; }

  // Asks the front end to close the main window; FormDestroy follows there.
  virtual void CloseMainWindow() = 0;
};

}  // namespace orbisk
