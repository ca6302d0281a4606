#include "app/menu_commands.h"

#include "store/layout.h"

namespace keylark::app {
namespace {

constexpr MenuItemInfo kMenuItems[] = {
    {MenuCommand::Assignments, nullptr, core::kGeneralHelp},
    {MenuCommand::AlwaysOnTop, store::kAlwaysOnTopValue, core::kAlwaysOnTopHelp},
    {MenuCommand::MarkPopups, store::kMarkPopupsValue, core::kMarkPopupsHelp},
    {MenuCommand::MinimizeOnUse, store::kMinimizeOnUseValue, core::kMinimizeOnUseHelp},
    {MenuCommand::Hints, store::kHintsValue, core::kHintsHelp},
    {MenuCommand::ConfirmChanges, store::kConfirmChangesValue, core::kConfirmChangesHelp},
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
