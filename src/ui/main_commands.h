#pragma once

#include <QStyle>
#include <string_view>

#include "pages/page_table.h"
#include "window/window_commands.h"

namespace zelta::ui {

// One entry of the menu bar: the menu it stands in, its object name, caption
// (with accelerator ampersands and trailing blanks as the operators know
// them), shortcut, and whether the item is hidden (hidden items still answer
// their shortcuts while enabled: that is how F11 and F12 work).
struct MenuItemEntry {
  std::string_view menu;
  std::string_view name;
  std::string_view caption;
  std::string_view shortcut;
  bool hidden;
  bool separatorAfter;
};

struct MenuEntry {
  std::string_view name;
  std::string_view caption;
  bool hidden;
};

inline constexpr MenuEntry kMenus[] = {
    {"menuFile", "&File", false},
    {"menuSetup", "&Setup", false},
    {"menuProg", "P&rogram", false},
    {"menuEngTools", "Tools", true},
    // The caption reads "Tools"; its mnemonic lets the keyboard reach the
    // converter as it reaches every other menu.
    {"menuTools", "&Tools", false},
    {"menuHelp", "&Help", false},
    {"MenuItem10", "Version", true},
    {"menuPage", "Page", true},
};

inline constexpr MenuItemEntry kMenuItems[] = {
    {"menuFile", "menuOpen", "L&oad Codeplug", "F8", false, false},
    {"menuFile", "menuSave", "Save &as ", "Ctrl+S", false, false},
    {"menuFile", "menuPrint", "&Print...", "", false, true},
    {"menuFile", "menuExit", "E&xit ", "F10", false, false},
    {"menuSetup", "setupComm", "Comm &Port", "", true, false},
    {"menuSetup", "setupCommunication", "&Communication Setup", "Ctrl+O", false, false},
    {"menuSetup", "setupStayontop", "Stay on &Top", "", false, false},
    {"menuSetup", "menuClearPager", "&Erase Pager", "Ctrl+E", true, false},
    {"menuProg", "readBtn", "&Read Pager ", "F3", false, false},
    {"menuProg", "writeBtn", "&Write Pager", "F2", false, true},
    {"menuProg", "serviceBtn", "&Service", "F4", false, false},
    {"menuProg", "singleBtn", "Program Si&ngle", "F5", false, false},
    {"menuProg", "sequentialBtn", "Program Se&quential", "F6", false, false},
    // No function key is left: Ctrl+R ("run") is free among the window's keys.
    {"menuProg", "productionBtn", "Pro&duction run...", "Ctrl+R", false, false},
    {"menuProg", "menuDefault", "Set To Defaults", "F9", false, false},
    {"menuEngTools", "menuLocker", "Locker", "", false, false},
    {"menuHelp", "helpHtml", "&Help Topics", "F1", false, true},
    {"menuHelp", "menuAbout", "&About", "", false, false},
    {"MenuItem10", "menuVersion", "Codeplug Ver.", "", false, false},
    {"menuPage", "menuPrev", "Prev", "F11", false, false},
    {"menuPage", "menuNext", "Next", "F12", false, false},
};

// The converter submenu of "Tools" (the Varda caption really ends in CR LF).
inline constexpr std::string_view kConverterMenuCaption = "&Converter";
inline constexpr std::string_view kConverterItems[][2] = {
    {"cprDisable", "&Disable"},
    {"cprRic8", "Zelta &Lumio"},
    {"cprRic16", "Zelta &Varda\r\n"},
};

// The launcher page of mainPgc (the pages and their captions are the page
// table's).
inline constexpr int kMainPage = pages::pageIndex(pages::Page::Main);

// The launcher page: one label a key, greyed where the key has no command there.
struct KeyLabel {
  std::string_view text;
  bool greyed;
};
inline constexpr KeyLabel kMainPageKeys[] = {
    {"F1   - HELP", false},
    {"F2", true},
    {"F3   - READ a pager (Pager must be ON and inserted in interface box)", false},
    {"F4   - SERVICE", false},
    {"F5   - PROGRAM a single pager", false},
    {"F6   - PROGRAM sequential pagers", false},
    {"F7", true},
    {"F8   - RETRIEVE a stored pager configuration from disk", false},
    {"F9", true},
    {"F10  - EXIT pager programming software, return to WINDOWS", false},
    {"F11", true},
    {"F12", true},
};

// The toolbar, left to right (a null name stands for a separator): each
// button runs the command of its key; the icon is the desktop theme's, or
// the style's own where the theme has none.
struct ToolEntry {
  std::string_view name;
  std::string_view hint;
  std::string_view text;
  window::WindowKey key;
  std::string_view themeIcon;
  QStyle::StandardPixmap fallbackIcon;
};
inline constexpr ToolEntry kTools[] = {
    {"toolBarOpen", "Load Codeplug (F8)", "Load", window::WindowKey::F8, "document-open",
     QStyle::SP_DialogOpenButton},
    {"toolBarSave", "Save Codeplug", "Save", window::WindowKey::CtrlS, "document-save",
     QStyle::SP_DialogSaveButton},
    {{}, {}, {}, window::WindowKey::F7, {}, QStyle::SP_CustomBase},
    {"toolBarRead", "Read Pager (F3)", "Read", window::WindowKey::F3, "go-down",
     QStyle::SP_ArrowDown},
    {"toolBarWrite", "Program Pager (F2)", "Program", window::WindowKey::F2, "go-up",
     QStyle::SP_ArrowUp},
    {{}, {}, {}, window::WindowKey::F7, {}, QStyle::SP_CustomBase},
    {"toolBarExit", "Exit (F10)", "Exit", window::WindowKey::F10, "application-exit",
     QStyle::SP_DialogCloseButton},
};

}  // namespace zelta::ui
