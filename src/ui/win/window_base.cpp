#include "ui/win/window_base.h"

#include "ui/win/boundary_trace.h"

namespace keylark::ui::win {

bool WindowBase::RegisterWindowClass(HINSTANCE instance, const char* class_name, HICON icon,
                                     HCURSOR cursor, HBRUSH background) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, class_name, &existing)) return true;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = StaticWindowProc;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.hIconSm = icon;
  wc.hCursor = cursor;
  wc.hbrBackground = background;
  wc.lpszClassName = class_name;
  return RegisterClassExA(&wc) != 0;
}

HWND WindowBase::CreateWindowObject(DWORD ex_style, const char* class_name, const char* caption,
                                    DWORD style, int x, int y, int width, int height, HWND parent,
                                    HMENU menu, HINSTANCE instance) {
  return CreateWindowExA(ex_style, class_name, caption, style, x, y, width, height, parent, menu,
                         instance, this);
}

LRESULT WindowBase::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(hwnd_, message, wparam, lparam);
}

LRESULT CALLBACK WindowBase::StaticWindowProc(HWND hwnd, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
    auto* self = static_cast<WindowBase*>(create->lpCreateParams);
    if (self != nullptr) {
      self->hwnd_ = hwnd;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  }
  auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);

  LRESULT result = 0;
  try {
    result = self->HandleMessage(message, wparam, lparam);
  } catch (...) {
    // A failed handler must not take the message loop down with it.
    TraceCaughtException("window procedure");
    result = DefWindowProcA(hwnd, message, wparam, lparam);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

}  // namespace keylark::ui::win
