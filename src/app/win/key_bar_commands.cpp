// The key bar's menu: the option toggles, the windows it opens and help.
#include "app/win/key_bar.h"

#include "dialogs/win/about_box.h"
#include "launch/help.h"
#include "resource.h"
#include "store/store_operations.h"

namespace keylark::app::win {
namespace {

struct MenuResource {
  UINT id;
  MenuCommand command;
};

// The menu resources' item ids and what each item is.
constexpr MenuResource kMenuResources[] = {
    {IDM_ASSIGNMENTS, MenuCommand::Assignments},
    {IDM_TOP, MenuCommand::AlwaysOnTop},
    {IDM_POPUPS, MenuCommand::MarkPopups},
    {IDM_MINIMIZE, MenuCommand::MinimizeOnUse},
    {IDM_HINTS, MenuCommand::Hints},
    {IDM_CONFIRM, MenuCommand::ConfirmChanges},
    {IDM_SCALE, MenuCommand::ScaleWithDisplay},
    {IDM_INDEX, MenuCommand::HelpIndex},
    {IDM_ABOUT, MenuCommand::About},
    {IDM_TRAY_LAUNCH, MenuCommand::TrayLaunch},
    {IDM_TRAY_HELP, MenuCommand::TrayHelp},
};

std::optional<MenuCommand> CommandOfId(UINT id) {
  for (const MenuResource& item : kMenuResources) {
    if (item.id == id) return item.command;
  }
  return std::nullopt;
}

UINT IdOfCommand(MenuCommand command) {
  for (const MenuResource& item : kMenuResources) {
    if (item.command == command) return item.id;
  }
  return 0;
}

}  // namespace

void KeyBar::OnCommand(UINT id) {
  const std::optional<MenuCommand> command = CommandOfId(id);
  if (!command) return;
  switch (*command) {
    case MenuCommand::Assignments:
      flow_->ShowAssignments();
      return;
    case MenuCommand::HelpIndex:
    case MenuCommand::TrayHelp:
      OpenHelp(MenuItemOf(*command).help_topic);
      return;
    case MenuCommand::About:
      ShowAbout();
      return;
    default:
      break;
  }
  const MenuItemInfo& item = MenuItemOf(*command);
  if (item.option != nullptr) OnToggle(item);
}

void KeyBar::SetMenuCheck(MenuCommand command, bool on) const {
  CheckMenuItem(GetMenu(hwnd()), IdOfCommand(command),
                MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

// Each toggle follows the stored value, not the check mark on screen.
void KeyBar::OnToggle(const MenuItemInfo& item) {
  const bool on = store::ToggleOption(store_, item.option);
  if (item.command == MenuCommand::AlwaysOnTop) {
    SetAlwaysOnTop(on);
    return;
  }
  SetMenuCheck(item.command, on);
  if (item.command == MenuCommand::ScaleWithDisplay) {
    FollowScaleOption();
    return;
  }
  if (item.command == MenuCommand::MarkPopups) {
    if (on) {
      RefreshKeyMarks();
    } else {
      surface_.Clear();
    }
  }
}

void KeyBar::FollowScaleOption() {
  const bool scaled = store_.ReadFlag(store::kConfigKey, store::kScaleWithDisplayValue);
  SetMenuCheck(MenuCommand::ScaleWithDisplay, scaled);
  if (scaled == geometry_.Scaled()) return;
  Relayout(geometry_.PixelsPerInch());
  // Grown from its top-left corner, it comes back if it went off the screen.
  KeepOnScreen();
}

// F1 on a highlighted menu item opens help at that item's topic.
bool KeyBar::OnHelp(const HELPINFO* info) const {
  if (info == nullptr || info->iContextType != HELPINFO_MENUITEM) return false;
  const std::optional<MenuCommand> command = CommandOfId(static_cast<UINT>(info->iCtrlId));
  OpenHelp(command ? MenuItemOf(*command).help_topic : core::kGeneralHelp);
  return true;
}

void KeyBar::OpenHelp(core::HelpTopic topic) const { ShowHelpFor(hwnd(), topic); }

void KeyBar::ShowHelpFor(HWND owner, unsigned long topic) const {
  const launch::HelpEngine engine = [owner](const std::string& help_file, unsigned long at) {
    WinHelpA(owner, help_file.c_str(), HELP_CONTEXT, at);
  };
  launch::ShowHelp(shell_, engine, program_folder_, topic);
}

void KeyBar::ShowAbout() {
  dialogs::win::AboutBox::ShowOnce(instance_, session_, DialogHelp(), localizer_);
}

}  // namespace keylark::app::win
