#include "app/win/key_bar_captions.h"

#include <string>

namespace keylark::app::win {
namespace {

void SetItemText(HMENU menu, int item, bool by_position, const std::string& text) {
  if (menu == nullptr) return;
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<char*>(text.c_str());
  SetMenuItemInfoA(menu, static_cast<UINT>(item), by_position ? TRUE : FALSE, &info);
}

}  // namespace

void KeyBarCaptions::SetCaption(const i18n::CaptionTarget& target, const std::string& text) {
  using Kind = i18n::CaptionTarget::Kind;
  switch (target.kind) {
    case Kind::Window:
      SetWindowTextA(key_bar_, text.c_str());
      break;
    case Kind::MenuItem:
    case Kind::MenuBarPopup:
      SetItemText(GetMenu(key_bar_), target.id, target.kind == Kind::MenuBarPopup, text);
      break;
    case Kind::TrayMenuItem:
      // The tray menu's items lie in its one drop-down.
      SetItemText(GetSubMenu(tray_menu_, 0), target.id, false, text);
      break;
    case Kind::Control:
      break;  // the key bar's labels keep their key characters
  }
}

}  // namespace keylark::app::win
