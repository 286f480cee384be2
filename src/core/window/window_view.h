#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "pages/field_catalog.h"
#include "pages/page_table.h"
#include "window/window_commands.h"

namespace zelta::window {

struct TabView {
  bool shown = false;
  std::string caption;
};

// Where the keyboard focus goes after the last call: nowhere new, the page
// control, or a field of the active page.
struct FocusRequest {
  enum class Target { None, PageControl, Field };
  Target target = Target::None;
  pages::FieldId field = pages::kNoFieldId;
};

// Everything the main window shows beside the fields of the pages, as the
// controller has it after a call. The front end only draws it.
struct WindowView {
  std::string caption;
  // A field edit has been accepted since the last load, save or return to
  // "Main"; the window marks its title.
  bool unsavedEdits = false;

  std::array<TabView, pages::kPageCount> tabs;
  pages::Page activePage = pages::Page::Main;
  bool pagesEnabled = true;  // off while busy
  int printedPages = 8;

  std::vector<CommandState> commands;

  std::string operationText;  // status panel 0
  // What the last programming run wrote, shown in status panel 0 while no
  // operation runs, until the next command.
  std::string statusResult;
  bool gaugeVisible = false;  // status panel 1: the prompt memory in use
  int gaugeValue = 0;
  std::string versionText;  // status panel 2
  std::string keymap;       // the key-map line

  FocusRequest focus;

  // Null for a name that is no command.
  const CommandState* command(std::string_view name) const;
  bool enabled(std::string_view name) const;
  bool visible(std::string_view name) const;
};

}  // namespace zelta::window
