// The base of every window class: the window procedure finds its C++ object
// through GWLP_USERDATA, stored at WM_NCCREATE and cleared at WM_NCDESTROY, and
// no exception ever crosses into the system's dispatcher.
#pragma once

#include <windows.h>

namespace keylark::ui::win {

class WindowBase {
 public:
  WindowBase() = default;
  virtual ~WindowBase() = default;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  HWND hwnd() const { return hwnd_; }

 protected:
  // Registers a class whose procedure dispatches to HandleMessage (once per process).
  static bool RegisterWindowClass(HINSTANCE instance, const char* class_name, HICON icon,
                                  HCURSOR cursor, HBRUSH background);
  HWND CreateWindowObject(DWORD ex_style, const char* class_name, const char* caption, DWORD style,
                          int x, int y, int width, int height, HWND parent, HMENU menu,
                          HINSTANCE instance);

  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  HWND hwnd_ = nullptr;
};

}  // namespace keylark::ui::win
