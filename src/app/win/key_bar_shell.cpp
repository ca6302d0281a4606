// The key bar as the launcher and the tray see it: its window state, the
// notification-area icon, the window procedure installed over its own for
// tray callbacks and Fn-key reports, and the menus it pops up.
#include <windows.h>

#include <vector>

#include "app/key_bar_messages.h"
#include "app/popup_list.h"
#include "app/screen_placement.h"
#include "app/win/key_bar.h"
#include "ui/win/boundary_trace.h"
#include "core/window_messages.h"
#include "platform/win32/owned_handles.h"
#include "measure/measure_points.h"
#include "resource.h"
#include "ui/win/dialog.h"
#include "ui/win/icons.h"

namespace keylark::app::win {
namespace {

// The tray record is the original, smallest form of NOTIFYICONDATAA: up to and
// including the 64-byte tip.
constexpr DWORD kTrayRecordSize = NOTIFYICONDATAA_V1_SIZE;
#if defined(_WIN32) && !defined(_WIN64)
static_assert(kTrayRecordSize == 88, "the 32-bit tray record is 88 bytes");
#endif

// Popup list items get command ids from here on; they never reach WM_COMMAND
// because the menu returns its choice.
constexpr UINT kFirstPopupItemId = 1;

platform::WindowHandle FromHwnd(HWND hwnd) {
  return reinterpret_cast<platform::WindowHandle>(hwnd);
}

// One entry of the popup list as the menu holds it. Choosing the header or
// the note does nothing: id 0 is never an item.
MENUITEMINFOA EntryInfo(const PopupMenuItem& entry) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
  info.fType = MFT_SEPARATOR;
  if (entry.kind != PopupMenuItem::Kind::Separator) {
    info.fMask |= MIIM_STRING;
    info.fType = MFT_STRING;
    info.dwTypeData = const_cast<char*>(entry.caption.c_str());
  }
  info.fState = (entry.checked ? MFS_CHECKED : 0U) | (entry.enabled ? 0U : MFS_GRAYED);
  if (entry.item_index) info.wID = kFirstPopupItemId + static_cast<UINT>(*entry.item_index);
  return info;
}

// Carries out the update on the kept menu; false when the menu refused a
// change, which leaves it in no known state.
bool UpdateMenu(HMENU menu, const PopupMenuUpdate& update, const PopupMenuModel& model) {
  for (const std::size_t position : update.rewrite) {
    const MENUITEMINFOA info = EntryInfo(model.entries[position]);
    if (!SetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) return false;
  }
  for (std::size_t position = update.append_from; position < model.entries.size(); ++position) {
    const MENUITEMINFOA info = EntryInfo(model.entries[position]);
    if (!InsertMenuItemA(menu, static_cast<UINT>(position), TRUE, &info)) return false;
  }
  return true;
}

// A menu popped up for a window that is not in front does not close when the
// user clicks elsewhere; bringing the window forward first and nudging its
// queue afterwards is the documented remedy.
UINT TrackMenuAtPointer(HWND owner, HMENU menu, UINT flags) {
  POINT pointer{};
  GetCursorPos(&pointer);
  SetForegroundWindow(owner);
  const BOOL chosen = TrackPopupMenu(menu, flags, pointer.x, pointer.y, 0, owner, nullptr);
  PostMessageA(owner, WM_NULL, 0, 0);
  return static_cast<UINT>(chosen);
}

PixelRect ToPixelRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK CollectMonitor(HMONITOR, HDC, LPRECT area, LPARAM context) {
  reinterpret_cast<std::vector<PixelRect>*>(context)->push_back(ToPixelRect(*area));
  return TRUE;
}

// Clears the open-menu mark however the menu loop ends.
class MenuOpenMark {
 public:
  explicit MenuOpenMark(bool& open) : open_(open) { open_ = true; }
  ~MenuOpenMark() { open_ = false; }
  MenuOpenMark(const MenuOpenMark&) = delete;
  MenuOpenMark& operator=(const MenuOpenMark&) = delete;

 private:
  bool& open_;
};

}  // namespace

void KeyBar::KeepOnScreen() {
  // A minimized key bar is hidden; it is placed when it is restored.
  if (hwnd() == nullptr || IsIconic(hwnd())) return;
  RECT rect{};
  GetWindowRect(hwnd(), &rect);
  MONITORINFO nearest{};
  nearest.cbSize = sizeof nearest;
  if (!GetMonitorInfoA(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &nearest)) return;
  RECT inside{};
  // Wholly on one monitor, as nearly always: nothing more to ask.
  if (IntersectRect(&inside, &rect, &nearest.rcMonitor) && EqualRect(&inside, &rect)) return;
  std::vector<PixelRect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  const PixelPoint corner =
      app::KeepOnScreen(ToPixelRect(rect), monitors, ToPixelRect(nearest.rcWork));
  if (corner.x == rect.left && corner.y == rect.top) return;
  SetWindowPos(hwnd(), nullptr, static_cast<int>(corner.x), static_cast<int>(corner.y), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

KeyBarServices KeyBar::Services() { return KeyBarServices{session_, store_, shell_, *this}; }

platform::WindowHandle KeyBar::Handle() const { return FromHwnd(hwnd()); }

core::WindowState KeyBar::State() const {
  if (IsIconic(hwnd())) return core::WindowState::Minimized;
  if (IsZoomed(hwnd())) return core::WindowState::Maximized;
  return core::WindowState::Normal;
}

void KeyBar::SetState(core::WindowState state) {
  switch (state) {
    case core::WindowState::Minimized:
      ShowWindow(hwnd(), SW_MINIMIZE);  // and hidden by the resize handling
      break;
    case core::WindowState::Maximized:
      ShowWindow(hwnd(), SW_MAXIMIZE);
      break;
    case core::WindowState::Normal:
      ShowWindow(hwnd(), SW_RESTORE);
      break;
  }
}

void KeyBar::Show() {
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  UpdateWindow(hwnd());
}

platform::WindowHandle KeyBar::ActiveForm() const {
  HWND dialog = ui::win::Dialog::ActiveDialog();
  return FromHwnd(dialog != nullptr ? dialog : hwnd());
}

void KeyBar::ShowAssignTypeModal() { flow_->ShowAssignTypeModal(); }

void KeyBar::ShowAssignTypeModeless() { flow_->ShowAssignTypeModeless(); }

void KeyBar::ShowPopupList() { ShowMenu(MenuKind::PopupList); }

void KeyBar::ShowTrayMenu() { ShowMenu(MenuKind::Tray); }

// A report that arrives while a menu is open reaches this from inside that
// menu's loop. Opening another menu there would stack them; instead the open
// one is ended and the newest request shown once its loop has returned.
void KeyBar::ShowMenu(MenuKind kind) {
  next_menu_ = kind;
  if (menu_open_) {
    EndMenu();
    return;
  }
  const MenuOpenMark mark(menu_open_);
  while (next_menu_ && !IsClosing()) {
    const MenuKind showing = *next_menu_;
    next_menu_.reset();
    if (showing == MenuKind::PopupList) {
      TrackPopupList();
    } else {
      TrackTrayMenu();
    }
  }
}

// The menu that shows the list is kept from one showing to the next and only
// changed where the list did.
bool KeyBar::PutInPopupMenu(PopupMenuModel model) {
  const PopupMenuUpdate update = PlanPopupMenuUpdate(popup_model_.entries, model.entries);
  const bool kept = popup_menu_ && !update.rebuild;
  if (!kept || !UpdateMenu(popup_menu_.Get(), update, model)) {
    popup_menu_.Reset(CreatePopupMenu());
    if (!popup_menu_ || !UpdateMenu(popup_menu_.Get(), PopupMenuUpdate{}, model)) {
      popup_menu_.Reset();
      popup_model_ = {};
      return false;
    }
  }
  popup_model_ = std::move(model);
  return true;
}

// Every showing asks the store whether the list changed, and reads it again
// when it did.
void KeyBar::TrackPopupList() {
  if (std::optional<PopupMenuModel> model = popup_reader_.ReadIfChanged(session_, store_)) {
    if (!PutInPopupMenu(std::move(*model))) {
      popup_reader_.Forget();
      return;
    }
  }
  const UINT chosen =
      TrackMenuAtPointer(hwnd(), popup_menu_.Get(), TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD);
  if (chosen < kFirstPopupItemId) return;
  const std::optional<std::string> caption = popup_model_.CaptionOf(chosen - kFirstPopupItemId);
  if (caption) ChoosePopupItem(Services(), *caption);
}

void KeyBar::TrackTrayMenu() {
  if (!tray_menu_) return;
  const UINT chosen =
      TrackMenuAtPointer(hwnd(), GetSubMenu(tray_menu_.Get(), 0), TPM_RIGHTALIGN | TPM_RETURNCMD);
  if (chosen == IDM_TRAY_LAUNCH) {
    RestoreFromTrayMenu(Services());
    KeepOnScreen();
  }
  if (chosen == IDM_TRAY_HELP) OpenHelp(MenuItemOf(MenuCommand::TrayHelp).help_topic);
}

bool KeyBar::IsClosing() const {
  if (closing_ || hwnd() == nullptr) return true;
  // Only posted messages are looked at: a sent one must not run in here.
  MSG close{};
  return PeekMessageA(&close, hwnd(), WM_CLOSE, WM_CLOSE,
                      PM_NOREMOVE | PM_NOYIELD | PM_QS_POSTMESSAGE) != FALSE;
}

void KeyBar::AddTrayIcon() {
  tray_icon_ = NOTIFYICONDATAA{};
  tray_icon_.cbSize = kTrayRecordSize;
  tray_icon_.hWnd = hwnd();
  tray_icon_.uID = core::TrayIconId;
  tray_icon_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  tray_icon_.uCallbackMessage = core::TrayCallbackMessage;
  tray_picture_ = ui::win::LoadNotificationIcon(instance_, IDI_KEYLARK);
  tray_icon_.hIcon = tray_picture_.Get();
  // The tip is the key bar's caption, in the language of its captions.
  GetWindowTextA(hwnd(), tray_icon_.szTip, sizeof tray_icon_.szTip);
  Shell_NotifyIconA(NIM_ADD, &tray_icon_);
  taskbar_created_ = RegisterWindowMessageA("TaskbarCreated");
}

void KeyBar::DeleteTrayIcon() {
  NOTIFYICONDATAA record{};
  record.cbSize = kTrayRecordSize;
  record.hWnd = hwnd();
  record.uID = core::TrayIconId;
  Shell_NotifyIconA(NIM_DELETE, &record);
}

void KeyBar::InstallWindowProc() {
  previous_proc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&KeyBarWindowProc)));
}

void KeyBar::RestoreWindowProc() {
  if (previous_proc_ == nullptr) return;
  SetWindowLongPtrA(hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_proc_));
}

LRESULT CALLBACK KeyBar::KeyBarWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  std::intptr_t answer = 0;
  if (measure::AnswerQuery(message, wparam, lparam, &answer)) return answer;
  const measure::MessageTimer timer(message);
  auto* self = dynamic_cast<KeyBar*>(
      reinterpret_cast<ui::win::WindowBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)));
  if (self == nullptr || self->previous_proc_ == nullptr)
    return DefWindowProcA(hwnd, message, wparam, lparam);
  // Kept before handling: the handling may run a nested loop in which the
  // window is destroyed and its procedure put back.
  const WNDPROC previous = self->previous_proc_;
  try {
    // Once the key bar is to close, the reports and tray clicks still queued
    // are dropped, so the close comes promptly even after a flood of them.
    const ClassifiedMessage classified = ClassifyKeyBarMessage(message, wparam, lparam);
    if (classified.event != KeyBarEvent::None && !self->IsClosing()) {
      HandleKeyBarEvent(self->Services(), classified);
      // Brought back from the tray, the key bar comes back where it can be seen.
      if (classified.event == KeyBarEvent::TrayRestore) self->KeepOnScreen();
      // keylarkctl may have switched the scale.
      if (classified.event == KeyBarEvent::StoreChanged) self->FollowScaleOption();
    }
  } catch (...) {
    // Handled or not, every message still goes on to the previous procedure.
    ui::win::TraceCaughtException("key bar procedure");
  }
  return CallWindowProcA(previous, hwnd, message, wparam, lparam);
}

}  // namespace keylark::app::win
