#pragma once
// The main window's menu tree: captions with their access letters, item names
// and the TfmMain command each item runs.

#include <QMenuBar>
#include <functional>
#include <vector>

#include "app/main_window.h"

namespace orbisk {

using MainCommand = void (TfmMain::*)();

// One item of the tree; a separator has the caption "-" and no command.
struct MenuEntry {
  std::vector<const char*> path;  // captions from the menu bar down to the item
  const char* name;               // item name, the action's object name
  MainCommand command;
  const char* shortcut;  // key sequence, or empty
};

// The items in menu order.
const std::vector<MenuEntry>& MainMenuEntries();

// Fills bar with the tree; triggering an item calls run with its command.
// Nothing is disabled, checkable or hidden.
void BuildMainMenu(QMenuBar& bar, const std::function<void(MainCommand)>& run);

// Keyboard access to bar without access letters in the captions: in window,
// F10 opens the first menu and Alt with a menu's first letter (Alt+F, Alt+E,
// Alt+T, Alt+H) opens that menu, each at its first item; a lone Alt
// highlights the first menu. From there the arrow keys, Enter and Esc work as
// in any menu bar.
void AddMenuBarKeys(QMenuBar& bar, QWidget& window);

}  // namespace orbisk
