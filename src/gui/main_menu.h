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

}  // namespace orbisk
