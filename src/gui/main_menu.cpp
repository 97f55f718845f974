#include "gui/main_menu.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QProxyStyle>
#include <QShortcut>
#include <QStyleOptionMenuItem>
#include <map>
#include <string>

namespace orbisk {

const std::vector<MenuEntry>& MainMenuEntries() {
  static const std::vector<MenuEntry> entries = {
      {{"File", "New", "Cyl Data"}, "mnNewCylData", &TfmMain::mnNewCylDataClick, ""},
      {{"File", "Load", "Cyl Data"}, "mnFileLoad3d", &TfmMain::mnFileLoad3dClick, ""},
      {{"File", "Load", "Polar Data"}, "mnFileLoadPolar", &TfmMain::mnFileLoadPolarClick, ""},
      {{"File", "Save", "Picture"}, "mnFileSavePicture", &TfmMain::mnFileSavePictureClick, ""},
      {{"File", "Save", "Cyl Data"}, "mnSaveCylData", &TfmMain::mnSaveCylDataClick, ""},
      {{"File", "Save", "Lines as GeoJSON"}, "mnSaveLinesGeoJson", &TfmMain::mnSaveLinesGeoJsonClick, ""},
      {{"File", "Save", "Lines as CSV"}, "mnSaveLinesCsv", &TfmMain::mnSaveLinesCsvClick, ""},
      {{"File", "-"}, "mnBreak1", nullptr, ""},
      {{"File", "E&xit"}, "mnExit", &TfmMain::mnExitClick, ""},
      {{"Edit", "ReDraw"}, "mnEditRedraw", &TfmMain::mnEditRedrawClick, ""},
      {{"Edit", "Copy"}, "mnEditCopy", &TfmMain::mnEditCopyClick, ""},
      {{"Edit", "Clear"}, "mnEditClear", &TfmMain::mnEditClearClick, ""},
      {{"Tools", "Settings"}, "mnSettings", &TfmMain::mnSettingsClick, ""},
      {{"Tools", "Test", "Generate 3d data"}, "mnGenerate", &TfmMain::mnGenerateClick, ""},
      {{"Tools", "Test", "Generate Polar data"}, "GenPolar1", &TfmMain::GenPolar1Click, ""},
      {{"Tools", "Replace delimiter", ".->,"}, "mnToolsDelimiterPtoC", &TfmMain::mnToolsDelimiterPtoCClick, ""},
      {{"Tools", "Replace delimiter", ",->."}, "mnToolsDelimiterCtoP", &TfmMain::mnToolsDelimiterCtoPClick, ""},
      {{"Tools", "Replace delimiter", ".<->,"}, "mnToolsDelimiterPexC", &TfmMain::mnToolsDelimiterPexCClick, ""},
      {{"Help", "Contents"}, "mnHelpContents", &TfmMain::mnHelpContentsClick, "F1"},
      {{"Help", "About"}, "mnAbout", &TfmMain::mnAboutClick, ""},
  };
  return entries;
}

namespace {

// Object names of the menus, by their caption path.
const std::map<std::string, const char*>& MenuNames() {
  static const std::map<std::string, const char*> names = {
      {"File", "mnFile"},      {"Edit", "mnRun"},        {"Tools", "mnTools"},
      {"Help", "mnHelp"},      {"File/New", "mnNew"},    {"File/Load", "mnLoad"},
      {"File/Save", "mnSave"}, {"Tools/Test", "mnTest"}, {"Tools/Replace delimiter", "mnToolsDelimiter"},
  };
  return names;
}

// The menu at path below bar, created on first use.
QMenu* MenuAt(QMenuBar& bar, std::map<std::string, QMenu*>& menus, const std::vector<const char*>& path,
              std::size_t depth) {
  std::string key;
  QMenu* menu = nullptr;
  for (std::size_t i = 0; i < depth; ++i) {
    key += (i == 0 ? "" : "/") + std::string(path[i]);
    auto found = menus.find(key);
    if (found == menus.end()) {
      QMenu* child = menu == nullptr ? bar.addMenu(path[i]) : menu->addMenu(path[i]);
      auto name = MenuNames().find(key);
      if (name != MenuNames().end()) child->setObjectName(name->second);
      found = menus.emplace(key, child).first;
    }
    menu = found->second;
  }
  return menu;
}

// The bar's style with Alt navigation on: a lone Alt press and release puts
// the bar in keyboard mode, whatever the platform style prefers. In that mode
// the chosen menu is drawn as if pressed, since some styles (Fusion) mark a
// menu only while it is pressed or open.
class AltNavigationStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_MenuBar_AltKeyNavigation) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    if (element == CE_MenuBarItem && (option->state & State_Selected) && widget != nullptr && widget->hasFocus()) {
      if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
        QStyleOptionMenuItem chosen = *item;
        chosen.state |= State_Sunken;
        QProxyStyle::drawControl(element, &chosen, painter, widget);
        return;
      }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
  }
};

}  // namespace

void BuildMainMenu(QMenuBar& bar, const std::function<void(MainCommand)>& run) {
  std::map<std::string, QMenu*> menus;
  for (const MenuEntry& entry : MainMenuEntries()) {
    QMenu* menu = MenuAt(bar, menus, entry.path, entry.path.size() - 1);
    if (entry.command == nullptr) {
      menu->addSeparator()->setObjectName(entry.name);
      continue;
    }
    QAction* action = menu->addAction(entry.path.back());
    action->setObjectName(entry.name);
    if (*entry.shortcut != '\0') action->setShortcut(QKeySequence(entry.shortcut));
    const MainCommand command = entry.command;
    QObject::connect(action, &QAction::triggered, &bar, [run, command] { run(command); });
  }
}

namespace {

// Opens the menu of action in bar as the keyboard does: its first item chosen
// (by a Down key, which leaves a submenu closed until Right or Enter opens it).
void OpenMenu(QMenuBar& bar, QAction* action) {
  bar.setActiveAction(action);
  if (QMenu* menu = action->menu()) {
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(menu, &down);
  }
}

void AddMenuKey(QMenuBar& bar, QWidget& window, const QKeySequence& key, QAction* action) {
  auto* shortcut = new QShortcut(key, &window);
  QObject::connect(shortcut, &QShortcut::activated, &bar, [&bar, action] { OpenMenu(bar, action); });
}

}  // namespace

void AddMenuBarKeys(QMenuBar& bar, QWidget& window) {
  auto* style = new AltNavigationStyle;
  style->setParent(&bar);
  bar.setStyle(style);
  const QList<QAction*> menus = bar.actions();
  if (menus.isEmpty()) return;
  AddMenuKey(bar, window, QKeySequence(Qt::Key_F10), menus.front());
  for (QAction* menu : menus) {
    AddMenuKey(bar, window, QKeySequence(QStringLiteral("Alt+") + menu->text().front()), menu);
  }
}

}  // namespace orbisk
