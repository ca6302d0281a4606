#include "ui/win/modal_dialog.h"

#include <vector>

namespace keylark::ui::win {
namespace {

// Dialogs run nested on the one user-interface thread, so the open ones form a stack.
std::vector<HWND>& OpenDialogs() {
  static std::vector<HWND> open;
  return open;
}

}  // namespace

HWND ModalDialog::TopmostOpenDialog() {
  return OpenDialogs().empty() ? nullptr : OpenDialogs().back();
}

INT_PTR ModalDialog::Run(HINSTANCE instance, int template_id, HWND owner) {
  return DialogBoxParamA(instance, MAKEINTRESOURCEA(template_id), owner, StaticDialogProc,
                         reinterpret_cast<LPARAM>(this));
}

void ModalDialog::MakeTopmost() const {
  SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool ModalDialog::OnCommand(int id, int /*notification*/) {
  if (id == IDOK || id == IDCANCEL) {
    End(id);
    return true;
  }
  return false;
}

INT_PTR ModalDialog::HandleMessage(UINT message, WPARAM wparam, LPARAM /*lparam*/) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInit();
    case WM_COMMAND:
      return OnCommand(LOWORD(wparam), HIWORD(wparam)) ? TRUE : FALSE;
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK ModalDialog::StaticDialogProc(HWND hwnd, UINT message, WPARAM wparam,
                                               LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<ModalDialog*>(lparam);
    if (self != nullptr) {
      self->hwnd_ = hwnd;
      SetWindowLongPtrA(hwnd, DWLP_USER, lparam);
      OpenDialogs().push_back(hwnd);
    }
  }
  auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  INT_PTR result = FALSE;
  try {
    result = self->HandleMessage(message, wparam, lparam);
  } catch (...) {
    // A failed handler must not take the message loop down with it; the
    // dialog stays usable and can still be cancelled.
    result = FALSE;
  }
  if (message == WM_NCDESTROY) {
    std::erase(OpenDialogs(), hwnd);
    SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

}  // namespace keylark::ui::win
