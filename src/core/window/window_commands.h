#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "pages/model_layout.h"

namespace zelta::window {

// ---- Commands: the menu items, menus and toolbar buttons by object name ----

enum class CommandKind : std::uint8_t { Menu, MenuItem, ToolButton };

// Where a command is offered (enabled): the "Main" page offers the commands
// that obtain a codeplug, the editing pages those that use one.
enum class Offered : std::uint8_t { Always, OnMain, OnEditing };

// When a command is shown. Hidden items still answer their shortcuts while
// enabled (F11 and F12 are items of the hidden "Page" menu).
enum class Shown : std::uint8_t {
  Always,
  Never,
  OnEditing,  // menuPrint
  ToolsMenu,  // menuTools: only for the models with a converter, on the editing pages
};

// Which check mark an item carries.
enum class Check : std::uint8_t { None, Locker, ConverterOff, ConverterLumio, ConverterVarda };

struct CommandEntry {
  std::string_view name;
  CommandKind kind;
  Offered offered;
  Shown shown;
  // Set busy disables it: the toolbar and the menus "File", "Setup",
  // "Program", "Tools", "Help" and "Page" with their items. Their shortcuts
  // answer while the item is enabled, so the items go off with their menus.
  bool lockedWhileBusy;
  Check check = Check::None;
};

inline constexpr std::array kCommands{
    CommandEntry{"menuFile", CommandKind::Menu, Offered::Always, Shown::Always, true},
    CommandEntry{"menuOpen", CommandKind::MenuItem, Offered::OnMain, Shown::Always, true},
    CommandEntry{"menuSave", CommandKind::MenuItem, Offered::OnEditing, Shown::Always, true},
    CommandEntry{"menuPrint", CommandKind::MenuItem, Offered::OnEditing, Shown::OnEditing, true},
    CommandEntry{"menuExit", CommandKind::MenuItem, Offered::Always, Shown::Always, true},
    CommandEntry{"menuSetup", CommandKind::Menu, Offered::Always, Shown::Always, true},
    CommandEntry{"setupComm", CommandKind::MenuItem, Offered::Always, Shown::Never, true},
    CommandEntry{"setupCommunication", CommandKind::MenuItem, Offered::Always, Shown::Always, true},
    CommandEntry{"setupStayontop", CommandKind::MenuItem, Offered::Always, Shown::Always, true},
    CommandEntry{"menuClearPager", CommandKind::MenuItem, Offered::Always, Shown::Never, true},
    CommandEntry{"menuProg", CommandKind::Menu, Offered::Always, Shown::Always, true},
    CommandEntry{"readBtn", CommandKind::MenuItem, Offered::OnMain, Shown::Always, true},
    CommandEntry{"writeBtn", CommandKind::MenuItem, Offered::OnEditing, Shown::Always, true},
    CommandEntry{"serviceBtn", CommandKind::MenuItem, Offered::OnMain, Shown::Always, true},
    CommandEntry{"singleBtn", CommandKind::MenuItem, Offered::OnMain, Shown::Always, true},
    CommandEntry{"sequentialBtn", CommandKind::MenuItem, Offered::OnMain, Shown::Always, true},
    // A production run: many pagers on several fixtures, from a template
    // file or the codeplug on screen, so offered on every page.
    CommandEntry{"productionBtn", CommandKind::MenuItem, Offered::Always, Shown::Always, true},
    CommandEntry{"menuDefault", CommandKind::MenuItem, Offered::OnEditing, Shown::Always, true},
    CommandEntry{"menuEngTools", CommandKind::Menu, Offered::Always, Shown::Never, false},
    CommandEntry{"menuLocker", CommandKind::MenuItem, Offered::Always, Shown::Always, false,
                 Check::Locker},
    CommandEntry{"menuTools", CommandKind::Menu, Offered::Always, Shown::ToolsMenu, true},
    CommandEntry{"menuRemodulator", CommandKind::Menu, Offered::Always, Shown::Always, true},
    CommandEntry{"cprDisable", CommandKind::MenuItem, Offered::Always, Shown::Always, true,
                 Check::ConverterOff},
    CommandEntry{"cprRic8", CommandKind::MenuItem, Offered::Always, Shown::Always, true,
                 Check::ConverterLumio},
    CommandEntry{"cprRic16", CommandKind::MenuItem, Offered::Always, Shown::Always, true,
                 Check::ConverterVarda},
    CommandEntry{"menuHelp", CommandKind::Menu, Offered::Always, Shown::Always, true},
    CommandEntry{"helpHtml", CommandKind::MenuItem, Offered::Always, Shown::Always, true},
    CommandEntry{"menuAbout", CommandKind::MenuItem, Offered::Always, Shown::Always, true},
    CommandEntry{"MenuItem10", CommandKind::Menu, Offered::Always, Shown::Never, false},
    CommandEntry{"menuVersion", CommandKind::MenuItem, Offered::Always, Shown::Always, false},
    CommandEntry{"menuPage", CommandKind::Menu, Offered::OnEditing, Shown::Never, true},
    CommandEntry{"menuPrev", CommandKind::MenuItem, Offered::OnEditing, Shown::Always, true},
    CommandEntry{"menuNext", CommandKind::MenuItem, Offered::OnEditing, Shown::Always, true},
    CommandEntry{"toolBarOpen", CommandKind::ToolButton, Offered::OnMain, Shown::Always, true},
    CommandEntry{"toolBarSave", CommandKind::ToolButton, Offered::OnEditing, Shown::Always, true},
    CommandEntry{"toolBarRead", CommandKind::ToolButton, Offered::OnMain, Shown::Always, true},
    CommandEntry{"toolBarWrite", CommandKind::ToolButton, Offered::OnEditing, Shown::Always, true},
    CommandEntry{"toolBarExit", CommandKind::ToolButton, Offered::Always, Shown::Always, true},
};

// What the command states depend on.
struct CommandContext {
  bool onMain = true;
  bool busy = false;
  bool toolsMenuShown = false;
  pages::ConverterMode converter = pages::ConverterMode::Off;
  bool locker = true;
};

struct CommandState {
  std::string_view name;
  bool enabled = false;
  bool visible = false;
  bool checked = false;
};

CommandState commandState(const CommandEntry& entry, const CommandContext& context);
// Every command of kCommands, in table order.
std::vector<CommandState> commandStates(const CommandContext& context);
// Null for a name that is no command.
const CommandEntry* findCommand(std::string_view name);

// ---- Keys ----

enum class WindowKey { F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12, CtrlS };

// What a key does on a page; None where the page does not offer it.
enum class KeyCommand {
  None,
  Help,
  Program,
  Read,
  Service,
  ProgramSingle,
  ProgramSequential,
  Load,
  SetToDefaults,
  Exit,
  PreviousPage,
  NextPage,
  Save,
};

// The commands that check the page (its check chain, or its own check
// before moving on): the field being edited is stored first, as leaving it
// would, and a refusal there ends the command.
inline constexpr std::array kPageCheckingCommands{KeyCommand::Program, KeyCommand::Save,
                                                  KeyCommand::PreviousPage, KeyCommand::NextPage};
constexpr bool checksThePage(KeyCommand command) {
  for (KeyCommand checking : kPageCheckingCommands) {
    if (checking == command) return true;
  }
  return false;
}

struct KeyEntry {
  WindowKey key;
  std::string_view command;  // the menu item whose shortcut it is; empty: none
  KeyCommand onMain;
  KeyCommand onEditing;
};

inline constexpr std::array kKeys{
    KeyEntry{WindowKey::F1, "helpHtml", KeyCommand::Help, KeyCommand::Help},
    KeyEntry{WindowKey::F2, "writeBtn", KeyCommand::None, KeyCommand::Program},
    KeyEntry{WindowKey::F3, "readBtn", KeyCommand::Read, KeyCommand::None},
    KeyEntry{WindowKey::F4, "serviceBtn", KeyCommand::Service, KeyCommand::None},
    KeyEntry{WindowKey::F5, "singleBtn", KeyCommand::ProgramSingle, KeyCommand::None},
    KeyEntry{WindowKey::F6, "sequentialBtn", KeyCommand::ProgramSequential, KeyCommand::None},
    KeyEntry{WindowKey::F7, "", KeyCommand::None, KeyCommand::None},
    KeyEntry{WindowKey::F8, "menuOpen", KeyCommand::Load, KeyCommand::None},
    KeyEntry{WindowKey::F9, "menuDefault", KeyCommand::None, KeyCommand::SetToDefaults},
    KeyEntry{WindowKey::F10, "menuExit", KeyCommand::Exit, KeyCommand::Exit},
    KeyEntry{WindowKey::F11, "menuPrev", KeyCommand::None, KeyCommand::PreviousPage},
    KeyEntry{WindowKey::F12, "menuNext", KeyCommand::None, KeyCommand::NextPage},
    KeyEntry{WindowKey::CtrlS, "menuSave", KeyCommand::None, KeyCommand::Save},
};

const KeyEntry& keyEntry(WindowKey key);

}  // namespace zelta::window
