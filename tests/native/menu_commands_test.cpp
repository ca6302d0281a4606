#include "app/menu_commands.h"

#include <gtest/gtest.h>

#include <string>

namespace keylark::app {
namespace {

// The help file's topics and the option values are fixed outside the
// program; each menu item is checked against them as written here.
TEST(MenuCommands, EachItemTogglesItsOptionAndOpensItsHelpTopic) {
  const struct {
    MenuCommand command;
    const char* option;  // nullptr: the item toggles nothing
    unsigned long topic;
  } items[] = {
      {MenuCommand::Assignments, nullptr, 102}, {MenuCommand::AlwaysOnTop, "opts1", 109},
      {MenuCommand::MarkPopups, "opts2", 110},  {MenuCommand::MinimizeOnUse, "opts3", 111},
      {MenuCommand::Hints, "opts4", 112},       {MenuCommand::ConfirmChanges, "opts5", 113},
      {MenuCommand::HelpIndex, nullptr, 102},   {MenuCommand::About, nullptr, 114},
      {MenuCommand::TrayLaunch, nullptr, 102},  {MenuCommand::TrayHelp, nullptr, 102},
  };
  for (const auto& item : items) {
    const MenuItemInfo& info = MenuItemOf(item.command);
    SCOPED_TRACE(static_cast<int>(item.command));
    EXPECT_EQ(info.command, item.command);
    EXPECT_EQ(info.option == nullptr ? "-" : std::string(info.option),
              item.option == nullptr ? "-" : item.option);
    EXPECT_EQ(info.help_topic, item.topic);
  }
}

}  // namespace
}  // namespace keylark::app
