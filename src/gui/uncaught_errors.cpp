#include "gui/uncaught_errors.h"

#include <exception>

#include "app/default_handler.h"
#include "platform/error.h"
#include "platform/ui.h"

namespace orbisk {

void ShowUncaught(Ui& ui, const std::string& message) { ui.ShowError(DefaultHandlerText(message)); }

bool RunGuarded(Ui& ui, const std::function<void()>& work) {
  try {
    work();
    return true;
  } catch (const std::exception& e) {
    ShowUncaught(ui, MessageOf(e));
  } catch (...) {
    ShowUncaught(ui, "Unknown error");
  }
  return false;
}

}  // namespace orbisk
