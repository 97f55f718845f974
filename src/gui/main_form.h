#pragma once
// The main window: the menu bar and a scroll area showing the picture 1:1,
// around the TfmMain model, and, when the settings turn it on, a status line
// with the value under the mouse. It provides the model's front-end services (the
// two dialogs, the program path, the locale's decimal separator, closing) and
// runs every command under the default handler.

#include <QLabel>
#include <QMainWindow>
#include <QScrollArea>
#include <memory>
#include <optional>

#include "app/main_dialogs.h"
#include "app/main_window.h"
#include "gui/command_cursor_ui.h"
#include "gui/main_menu.h"
#include "gui/style_pickers.h"
#include "qt/qt_bitmap.h"

namespace orbisk {

class Registry;
class TfmEdFCylinder;
class WidgetUi;

class MainForm : public QMainWindow, public MainDialogs {
 public:
  // FormCreate runs here: the settings are read from registry, the picture
  // sized, nothing drawn. ui null: the window's own message boxes and file
  // dialogs; pickers null: the colour and font dialogs.
  explicit MainForm(Registry& registry, Ui* ui = nullptr, StylePickers* pickers = nullptr);
  ~MainForm() override;

  // Creates the function-and-domain dialog, hidden, for every New Cyl Data.
  void CreateFunctionDialog();
  // Shows the window at its first size, centred on the screen.
  void ShowCentred();

  // Runs one command; an error escaping it goes to the default handler. The
  // picture is shown afresh afterwards, and the hourglass stays until then.
  void RunCommand(MainCommand command);
  // Opens a Cyl Data or Polar Data file, as File > Load does, by its content.
  void OpenFile(const std::string& path);

  TfmMain& Model() { return main_; }
  // Where this window shows its messages and errors.
  Ui& FormUi() { return ui_; }
  QtBitmap& PictureBitmap() { return picture_; }
  QLabel& PictureView() { return *view_; }
  QScrollArea& Scroller() { return *scroller_; }
  // The status line's text; null until the settings first turn it on.
  QLabel* CursorValue() { return cursorValue_; }
  TfmEdFCylinder* FunctionDialog() { return functionDialog_; }

  bool RunFunctionDialog(FunctionTexts& texts, FormulaEngine& engine) override;
  void RunSettingsDialog(SettingsDialogModel& model) override;
  std::string ProgramPath() const override;
  char DecimalSeparator() const override;
  void CloseMainWindow() override;

 protected:
  // Closing by Exit or by the close box alike hides the window, then runs
  // FormDestroy.
  void closeEvent(QCloseEvent* event) override;
  // Follows the mouse over the picture for the status line.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RunWork(const std::function<void()>& work);
  // The view shows the picture as drawn, painted at once when visible.
  void ShowPicture();
  // Shows or hides the status line as the settings say.
  void ShowStatusLine();
  // The status line for the picture's pixel at pos, or empty without one.
  void ShowCursorValue(std::optional<QPoint> pos);

  std::unique_ptr<WidgetUi> ownUi_;
  Ui& ui_;
  CommandCursorUi commandUi_;  // ui_ as the commands see it
  DialogPickers ownPickers_;
  StylePickers& pickers_;
  QtBitmap picture_;
  TfmMain main_;
  QScrollArea* scroller_;
  QLabel* view_;
  QLabel* cursorValue_ = nullptr;
  TfmEdFCylinder* functionDialog_ = nullptr;
};

}  // namespace orbisk
