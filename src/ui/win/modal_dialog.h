// The base of every modal dialog: DialogBoxParamA with `this` stored at
// WM_INITDIALOG and cleared at WM_NCDESTROY; exceptions stop at the procedure.
// Esc arrives as IDCANCEL and closes the dialog unless a subclass says otherwise.
#pragma once

#include <windows.h>

namespace keylark::ui::win {

class ModalDialog {
 public:
  ModalDialog() = default;
  virtual ~ModalDialog() = default;
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  // Shows the dialog and returns the code it ended with (-1 when it could not be shown).
  INT_PTR Run(HINSTANCE instance, int template_id, HWND owner);

  // The dialog opened last of those still open, or nullptr: the program's
  // active form when it is not the key bar.
  static HWND TopmostOpenDialog();

 protected:
  HWND hwnd() const { return hwnd_; }
  void End(INT_PTR result) { EndDialog(hwnd_, result); }
  // Keeps the dialog above other windows, as the key bar is with Always On Top.
  void MakeTopmost() const;

  // Return FALSE to keep the focus where OnInit put it.
  virtual BOOL OnInit() { return TRUE; }
  // Return true when the command was handled.
  virtual bool OnCommand(int id, int notification);
  virtual void OnDestroy() {}

 private:
  static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  HWND hwnd_ = nullptr;
};

}  // namespace keylark::ui::win
