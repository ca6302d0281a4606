// Stops a control from drawing while it is filled, and draws it once after.
#pragma once

#include <windows.h>

namespace keylark::ui::win {

class RedrawPause {
 public:
  explicit RedrawPause(HWND control) : control_(control) {
    SendMessageA(control_, WM_SETREDRAW, FALSE, 0);
  }
  ~RedrawPause() {
    SendMessageA(control_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control_, nullptr, TRUE);
  }
  RedrawPause(const RedrawPause&) = delete;
  RedrawPause& operator=(const RedrawPause&) = delete;

 private:
  HWND control_;
};

}  // namespace keylark::ui::win
