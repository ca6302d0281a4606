#include "ui/win/dialog.h"

#include <algorithm>
#include <vector>

#include "platform/win32/common_controls.h"
#include "ui/win/boundary_trace.h"

namespace keylark::ui::win {
namespace {

using platform::win32::LoadCommonControls;

// Dialogs run on the one user-interface thread, so the open ones form a
// list in the order they were opened.
std::vector<Dialog*>& OpenDialogs() {
  static std::vector<Dialog*> open;
  return open;
}

}  // namespace

Dialog::~Dialog() {
  // A dialog object that goes while its window still exists takes it along.
  if (hwnd_ != nullptr) {
    HWND window = hwnd_;
    Detach();
    DestroyWindow(window);
  }
}

INT_PTR Dialog::RunModal(HINSTANCE instance, int template_id, const DialogContext& context) {
  context_ = context;
  instance_ = instance;
  template_id_ = template_id;
  modal_ = true;
  owner_held_ = context.owner != nullptr && !IsWindowEnabled(context.owner);
  LoadCommonControls();
  return DialogBoxParamA(instance, MAKEINTRESOURCEA(template_id), context.owner, Procedure,
                         reinterpret_cast<LPARAM>(this));
}

bool Dialog::ShowModeless(HINSTANCE instance, int template_id, const DialogContext& context) {
  context_ = context;
  instance_ = instance;
  template_id_ = template_id;
  modal_ = false;
  LoadCommonControls();
  HWND window = CreateDialogParamA(instance, MAKEINTRESOURCEA(template_id), context.owner,
                                   Procedure, reinterpret_cast<LPARAM>(this));
  if (window == nullptr) return false;
  ShowWindow(window, SW_SHOW);
  return true;
}

void Dialog::Close(INT_PTR result) {
  if (hwnd_ == nullptr) return;
  if (modal_) {
    EndDialog(hwnd_, result);
    // The end enables the owner; one that another box holds (the About box
    // holds every window) is left as it was found.
    if (owner_held_) EnableWindow(context_.owner, FALSE);
  } else {
    DestroyWindow(hwnd_);
  }
}

HWND Dialog::ActiveDialog() {
  return OpenDialogs().empty() ? nullptr : OpenDialogs().back()->hwnd_;
}

bool Dialog::HandleDialogMessage(MSG* message) {
  // A handled message may close a dialog and so change the list: look at
  // the windows as they were.
  std::vector<HWND> modeless;
  for (const Dialog* dialog : OpenDialogs()) {
    if (!dialog->modal_) modeless.push_back(dialog->hwnd_);
  }
  for (HWND window : modeless) {
    if (IsDialogMessageA(window, message)) return true;
  }
  return false;
}

BOOL Dialog::Initialize() {
  if (context_.open_flag != nullptr) *context_.open_flag = true;
  if (context_.topmost) {
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }
  if (context_.icon_id != 0) icons_.Apply(hwnd_, instance_, context_.icon_id);
  PrepareDesign();
  Localize();
  return OnInit() ? TRUE : FALSE;
}

void Dialog::Localize() {
  if (context_.localizer == nullptr) {
    TraceFault("dialog shown without its translation");
    return;
  }
  fonts_ = context_.localizer->Localize(hwnd_, template_id_);
}

void Dialog::OnHelp() {
  if (context_.help_topic == 0 || !context_.show_help) return;
  context_.show_help(hwnd_, context_.help_topic);
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      return Initialize();
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      const int notification = HIWORD(wparam);
      if (OnCommand(id, notification)) return TRUE;
      if (id == IDOK) {
        OnOk();
      } else if (id == IDCANCEL) {
        OnCancel();
      } else if (id == IDHELP) {
        OnHelp();
      } else {
        return FALSE;
      }
      return TRUE;
    }
    case WM_NOTIFY: {
      const std::optional<LRESULT> result = OnNotify(*reinterpret_cast<const NMHDR*>(lparam));
      if (!result) return FALSE;
      SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, *result);
      return TRUE;
    }
    case WM_HELP:
      OnHelp();
      return TRUE;
    case WM_DPICHANGED:
      // Moved to a monitor of another scale: the caption icons follow; the
      // dialog itself may want to follow as well.
      if (context_.icon_id != 0) icons_.Apply(hwnd_, instance_, context_.icon_id);
      return OnMessage(message, wparam, lparam).value_or(FALSE);
    default:
      return OnMessage(message, wparam, lparam).value_or(FALSE);
  }
}

void Dialog::Detach() {
  std::erase(OpenDialogs(), this);
  SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
  hwnd_ = nullptr;
  if (context_.open_flag != nullptr) *context_.open_flag = false;
}

INT_PTR CALLBACK Dialog::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<Dialog*>(lparam);
    if (self != nullptr) {
      self->hwnd_ = hwnd;
      SetWindowLongPtrA(hwnd, DWLP_USER, lparam);
      OpenDialogs().push_back(self);
    }
  }
  auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  INT_PTR result = FALSE;
  try {
    result = self->HandleMessage(message, wparam, lparam);
  } catch (...) {
    // A failed handler must not take the message loop down with it; the
    // dialog stays usable and can still be cancelled.
    TraceCaughtException("dialog procedure");
    result = FALSE;
  }
  if (message == WM_NCDESTROY) {
    self->Detach();
    // The controls are gone, and with them the last user of their fonts;
    // the window no longer shows its icons.
    self->fonts_.clear();
    self->icons_.Release();
    self->OnClosed();
  }
  return result;
}

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

std::string ResourceText(HINSTANCE instance, unsigned id) {
  // The program's own strings are short sentences; this leaves ample room.
  char buffer[4096] = {};
  const int copied = LoadStringA(instance, id, buffer, static_cast<int>(sizeof buffer));
  return std::string(buffer, static_cast<std::size_t>(std::max(copied, 0)));
}

std::string Dialog::Text(int id) const { return WindowText(Item(id)); }

std::string Dialog::ProgramText(unsigned id) const { return ResourceText(instance_, id); }

void Dialog::SetText(int id, const std::string& text) const {
  SetDlgItemTextA(hwnd_, id, text.c_str());
}

bool Dialog::IsChecked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }

void Dialog::SetChecked(int id, bool checked) const {
  CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void Dialog::Enable(int id, bool enabled) const { EnableWindow(Item(id), enabled ? TRUE : FALSE); }

}  // namespace keylark::ui::win
