#include "dialogs/win/pending_dialog.h"

#include "resource.h"

namespace keylark::dialogs::win {

void PendingDialog::Show(HINSTANCE instance, const ui::win::DialogContext& context) {
  RunModal(instance, IDD_PENDING, context);
}

bool PendingDialog::OnInit() {
  SetWindowTextA(hwnd(), caption_.c_str());
  SetText(IDC_PENDING_TEXT, text_);
  return true;
}

}  // namespace keylark::dialogs::win
