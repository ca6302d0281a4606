#include "app/menu_commands.h"

#include "core/options.h"

namespace keylark::app {
namespace {

// An item of the Options menu: it toggles its option and opens its topic.
constexpr MenuItemInfo OptionItem(MenuCommand command, core::Option option) {
  return {command, core::OptionInfoOf(option).value_name, core::OptionInfoOf(option).help_topic};
}

constexpr MenuItemInfo kMenuItems[] = {
    {MenuCommand::Assignments, nullptr, core::kGeneralHelp},
    OptionItem(MenuCommand::AlwaysOnTop, core::Option::AlwaysOnTop),
    OptionItem(MenuCommand::MarkPopups, core::Option::MarkPopups),
    OptionItem(MenuCommand::MinimizeOnUse, core::Option::MinimizeOnUse),
    OptionItem(MenuCommand::Hints, core::Option::Hints),
    OptionItem(MenuCommand::ConfirmChanges, core::Option::ConfirmChanges),
    OptionItem(MenuCommand::ScaleWithDisplay, core::Option::ScaleWithDisplay),
    {MenuCommand::HelpIndex, nullptr, core::kGeneralHelp},
    {MenuCommand::About, nullptr, core::kAboutHelp},
    {MenuCommand::TrayLaunch, nullptr, core::kGeneralHelp},
    {MenuCommand::TrayHelp, nullptr, core::kGeneralHelp},
};

}  // namespace

const MenuItemInfo& MenuItemOf(MenuCommand command) {
  for (const MenuItemInfo& item : kMenuItems) {
    if (item.command == command) return item;
  }
  return kMenuItems[0];  // every command has a row; this is never reached
}

}  // namespace keylark::app
