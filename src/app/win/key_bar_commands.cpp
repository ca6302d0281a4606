// The key bar's menu: the five option toggles, the windows it opens and help.
#include "app/win/key_bar.h"

#include "dialogs/win/about_box.h"
#include "resource.h"
#include "store/layout.h"
#include "store/store_operations.h"

namespace keylark::app::win {
namespace {

constexpr unsigned long kGeneralHelp = 102;

struct MenuItemHelp {
  UINT id;
  const char* option;          // the "ini\cfg" value an item toggles, if any
  unsigned long help_context;  // the help topic of the item
};

constexpr MenuItemHelp kMenuItems[] = {
    {IDM_ASSIGNMENTS, nullptr, 102},
    {IDM_TOP, store::kAlwaysOnTopValue, 109},
    {IDM_POPUPS, store::kMarkPopupsValue, 110},
    {IDM_MINIMIZE, store::kMinimizeOnUseValue, 111},
    {IDM_HINTS, store::kHintsValue, 112},
    {IDM_CONFIRM, store::kConfirmChangesValue, 113},
    {IDM_INDEX, nullptr, 102},
    {IDM_ABOUT, nullptr, 114},
    {IDM_TRAY_LAUNCH, nullptr, 102},
    {IDM_TRAY_HELP, nullptr, 102},
};

const MenuItemHelp* FindMenuItem(UINT id) {
  for (const MenuItemHelp& item : kMenuItems) {
    if (item.id == id) return &item;
  }
  return nullptr;
}

}  // namespace

void KeyBar::OnCommand(UINT id) {
  switch (id) {
    case IDM_ASSIGNMENTS:
      ShowAssignments();
      return;
    case IDM_INDEX:
    case IDM_TRAY_HELP:
      OpenHelp(kGeneralHelp);
      return;
    case IDM_ABOUT:
      ShowAbout();
      return;
    default:
      break;
  }
  const MenuItemHelp* item = FindMenuItem(id);
  if (item != nullptr && item->option != nullptr) OnToggle(id);
}

// Each toggle follows the stored value, not the check mark on screen.
void KeyBar::OnToggle(UINT id) {
  const MenuItemHelp* item = FindMenuItem(id);
  const bool on = store::ToggleOption(store_, item->option);
  if (id == IDM_TOP) {
    SetAlwaysOnTop(on);
    return;
  }
  SetMenuCheck(id, on);
  if (id == IDM_POPUPS) {
    if (on) {
      RefreshKeyMarks();
    } else {
      surface_.Clear();
    }
  }
}

// F1 on a highlighted menu item opens help at that item's topic.
bool KeyBar::OnHelp(const HELPINFO* info) const {
  if (info == nullptr || info->iContextType != HELPINFO_MENUITEM) return false;
  const MenuItemHelp* item = FindMenuItem(static_cast<UINT>(info->iCtrlId));
  OpenHelp(item != nullptr ? item->help_context : kGeneralHelp);
  return true;
}

void KeyBar::OpenHelp(unsigned long context) const {
  WinHelpA(hwnd(), help_file_.c_str(), HELP_CONTEXT, context);
}

void KeyBar::ShowAbout() {
  dialogs::win::AboutBox about(session_, instance_);
  about.Show();
}

}  // namespace keylark::app::win
