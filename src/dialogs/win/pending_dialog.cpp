#include "dialogs/win/pending_dialog.h"

#include "resource.h"

namespace keylark::dialogs::win {

void PendingDialog::Show(HINSTANCE instance, HWND owner) {
  if (open_flag_ != nullptr) *open_flag_ = true;
  Run(instance, IDD_PENDING, owner);
  if (open_flag_ != nullptr) *open_flag_ = false;
}

BOOL PendingDialog::OnInit() {
  if (topmost_) MakeTopmost();
  SetWindowTextA(hwnd(), caption_.c_str());
  SetDlgItemTextA(hwnd(), IDC_PENDING_TEXT, text_.c_str());
  return TRUE;
}

void PendingDialog::OnDestroy() {
  if (open_flag_ != nullptr) *open_flag_ = false;
}

}  // namespace keylark::dialogs::win
