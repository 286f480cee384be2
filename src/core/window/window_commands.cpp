#include "window/window_commands.h"

namespace zelta::window {
namespace {

bool offered(Offered where, bool onMain) {
  switch (where) {
    case Offered::Always: return true;
    case Offered::OnMain: return onMain;
    case Offered::OnEditing: return !onMain;
  }
  return false;
}

bool shown(Shown when, const CommandContext& c) {
  switch (when) {
    case Shown::Always: return true;
    case Shown::Never: return false;
    case Shown::OnEditing: return !c.onMain;
    case Shown::ToolsMenu: return !c.onMain && c.toolsMenuShown;
  }
  return false;
}

bool checked(Check check, const CommandContext& c) {
  switch (check) {
    case Check::None: return false;
    case Check::Locker: return c.locker;
    case Check::ConverterOff: return c.converter == pages::ConverterMode::Off;
    case Check::ConverterLumio: return c.converter == pages::ConverterMode::Lumio;
    case Check::ConverterVarda: return c.converter == pages::ConverterMode::Varda;
  }
  return false;
}

}  // namespace

CommandState commandState(const CommandEntry& entry, const CommandContext& context) {
  const bool visible = shown(entry.shown, context);
  // A command that is not shown because of the page mode is off as well
  // (menuPrint on "Main"); the always hidden ones keep their shortcuts.
  const bool enabled = offered(entry.offered, context.onMain) &&
                       !(context.busy && entry.lockedWhileBusy) &&
                       !(entry.shown == Shown::OnEditing && !visible);
  return CommandState{entry.name, enabled, visible, checked(entry.check, context)};
}

std::vector<CommandState> commandStates(const CommandContext& context) {
  std::vector<CommandState> states;
  states.reserve(kCommands.size());
  for (const CommandEntry& entry : kCommands) states.push_back(commandState(entry, context));
  return states;
}

const CommandEntry* findCommand(std::string_view name) {
  for (const CommandEntry& entry : kCommands) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

const KeyEntry& keyEntry(WindowKey key) {
  for (const KeyEntry& entry : kKeys) {
    if (entry.key == key) return entry;
  }
  return kKeys.front();  // every key has its row
}

}  // namespace zelta::window
