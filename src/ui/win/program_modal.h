// A box that is modal for the whole program rather than for one owner: while
// it is open, the program's other top-level windows take no mouse or keyboard
// input. They are disabled when it opens and enabled again when it closes.
#pragma once

#include <windows.h>

#include <vector>

namespace keylark::ui::win {

class ProgramModal {
 public:
  // Disables this thread's enabled top-level windows of `instance`.
  explicit ProgramModal(HINSTANCE instance);
  ~ProgramModal();
  ProgramModal(const ProgramModal&) = delete;
  ProgramModal& operator=(const ProgramModal&) = delete;

  // Enables again the windows that still exist, once. Called before the box
  // hides, so that the window it covered becomes active again.
  void Release();

  // Enables a window now, or, while a program-modal box is open, when that
  // box closes: a dialog flow that ends under the box must not give the key
  // bar its input back early.
  static void EnableWindowWhenFree(HWND window);

 private:
  static BOOL CALLBACK DisableOne(HWND window, LPARAM self);

  HINSTANCE instance_;
  std::vector<HWND> disabled_;
  bool released_ = false;
  ProgramModal* outer_ = nullptr;  // the box this one opened over, if any
};

}  // namespace keylark::ui::win
