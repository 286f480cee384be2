#include "window/window_commands.h"

#include <gtest/gtest.h>

#include "window/window_texts.h"

namespace zelta::window {
namespace {

// Command states by page mode: enabled on "Main", enabled on an editing
// page, shown on "Main", shown on an editing page.
struct CommandCase {
  const char* name;
  bool mainEnabled;
  bool editingEnabled;
  bool mainVisible;
  bool editingVisible;
};

void PrintTo(const CommandCase& c, std::ostream* os) {
  *os << c.name;
}

class CommandStates : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CommandStates, FollowThePageMode) {
  const CommandCase& c = GetParam();
  const CommandEntry* entry = findCommand(c.name);
  ASSERT_NE(entry, nullptr);
  const CommandState onMain = commandState(*entry, CommandContext{.onMain = true});
  const CommandState editing =
      commandState(*entry, CommandContext{.onMain = false, .toolsMenuShown = true});
  EXPECT_EQ(onMain.enabled, c.mainEnabled);
  EXPECT_EQ(editing.enabled, c.editingEnabled);
  EXPECT_EQ(onMain.visible, c.mainVisible);
  EXPECT_EQ(editing.visible, c.editingVisible);
}

INSTANTIATE_TEST_SUITE_P(ByCommand, CommandStates,
                         ::testing::Values(
                             // The commands that obtain a codeplug.
                             CommandCase{"toolBarRead", true, false, true, true},
                             CommandCase{"toolBarOpen", true, false, true, true},
                             CommandCase{"menuOpen", true, false, true, true},
                             CommandCase{"readBtn", true, false, true, true},
                             CommandCase{"serviceBtn", true, false, true, true},
                             CommandCase{"singleBtn", true, false, true, true},
                             CommandCase{"sequentialBtn", true, false, true, true},
                             // The commands that use one.
                             CommandCase{"toolBarSave", false, true, true, true},
                             CommandCase{"toolBarWrite", false, true, true, true},
                             CommandCase{"writeBtn", false, true, true, true},
                             CommandCase{"menuSave", false, true, true, true},
                             CommandCase{"menuDefault", false, true, true, true},
                             CommandCase{"menuPage", false, true, false,
                                         false},  // hidden, its keys still answer
                             CommandCase{"menuPrev", false, true, true, true},
                             CommandCase{"menuNext", false, true, true, true},
                             CommandCase{"menuPrint", false, true, false, true},
                             // Either mode.
                             CommandCase{"menuExit", true, true, true, true},
                             CommandCase{"toolBarExit", true, true, true, true},
                             CommandCase{"helpHtml", true, true, true, true},
                             CommandCase{"setupCommunication", true, true, true, true},
                             CommandCase{"menuClearPager", true, true, false, false},
                             // The converter's menu belongs to the editing pages of two models.
                             CommandCase{"menuTools", true, true, false, true}));

TEST(CommandStatesWhileBusy, ToolbarMenusAndTheirItemsAreOff) {
  for (const bool onMain : {true, false}) {
    const CommandContext busy{.onMain = onMain, .busy = true, .toolsMenuShown = true};
    for (const char* name : {"menuFile", "menuSetup", "menuHelp", "menuProg", "menuPage",
                             "menuTools", "toolBarOpen", "toolBarRead", "toolBarExit", "readBtn",
                             "menuOpen", "menuExit", "menuPrev", "menuSave", "cprRic8"}) {
      EXPECT_FALSE(commandState(*findCommand(name), busy).enabled) << name << " main " << onMain;
    }
  }
}

TEST(CommandStatesWhileBusy, TheHiddenEngineeringMenuIsNotTouched) {
  const CommandContext busy{.onMain = false, .busy = true};
  EXPECT_TRUE(commandState(*findCommand("menuLocker"), busy).enabled);
}

TEST(CommandChecks, ConverterItemsFollowTheMode) {
  CommandContext c{.onMain = false, .toolsMenuShown = true};
  c.converter = pages::ConverterMode::Lumio;
  EXPECT_FALSE(commandState(*findCommand("cprDisable"), c).checked);
  EXPECT_TRUE(commandState(*findCommand("cprRic8"), c).checked);
  EXPECT_FALSE(commandState(*findCommand("cprRic16"), c).checked);
  c.converter = pages::ConverterMode::Off;
  EXPECT_TRUE(commandState(*findCommand("cprDisable"), c).checked);
}

// Every key but F7 is the shortcut of a command of the table, and a page
// that does not offer the key's command has it disabled.
TEST(Keys, EachKeyIsOfferedExactlyWhereItHasACommand) {
  for (const KeyEntry& key : kKeys) {
    if (key.key == WindowKey::F7) {
      EXPECT_TRUE(key.command.empty());
      continue;
    }
    const CommandEntry* command = findCommand(key.command);
    ASSERT_NE(command, nullptr) << key.command;
    EXPECT_EQ(commandState(*command, {.onMain = true}).enabled, key.onMain != KeyCommand::None)
        << key.command;
    EXPECT_EQ(commandState(*command, {.onMain = false}).enabled, key.onEditing != KeyCommand::None)
        << key.command;
  }
}

TEST(OperationTexts, ProgrammingNamesTheRate) {
  EXPECT_EQ(operationText(Operation::Read, 170), "Reading - Please wait.");
  EXPECT_EQ(operationText(Operation::Program, 164), "Programming - Please wait. (Rate: 19200bps)");
  EXPECT_EQ(operationText(Operation::Program, 99), "Programming - Please wait. ");
  EXPECT_EQ(operationText(Operation::Done, 170), "");
}

TEST(OperationTexts, PreferredRateCodeOfTheBaudRate) {
  EXPECT_EQ(preferredRateCode(4800), 170);
  EXPECT_EQ(preferredRateCode(9600), 162);
  EXPECT_EQ(preferredRateCode(38400), 166);
  EXPECT_EQ(preferredRateCode(57600), 168);
  EXPECT_EQ(preferredRateCode(115200), 168);
}

}  // namespace
}  // namespace zelta::window
