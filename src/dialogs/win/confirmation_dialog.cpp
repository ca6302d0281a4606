#include "dialogs/win/confirmation_dialog.h"

#include "resource.h"

namespace keylark::dialogs::win {

bool ConfirmationDialog::OnInit() {
  shown_ = model_.Load();
  SetText(IDC_CF_KEY, shown_.key_name);
  SetText(IDC_CF_PREV_COMMAND, shown_.previous.command);
  SetText(IDC_CF_PREV_DESCRIPTION, shown_.previous.description);
  SetText(IDC_CF_PREV_DIRECTORY, shown_.previous.directory);
  SetText(IDC_CF_NEW_COMMAND, shown_.next.command);
  SetText(IDC_CF_NEW_DESCRIPTION, shown_.next.description);
  SetText(IDC_CF_NEW_DIRECTORY, shown_.next.directory);
  return true;
}

void ConfirmationDialog::OnOk() {
  model_.Ok(shown_);
  Close(IDOK);
}

// The Cancel button hands the key bar back; Esc (IDCANCEL) only closes.
bool ConfirmationDialog::OnCommand(int id, int notification) {
  if (id != IDC_CF_CANCEL || notification != BN_CLICKED) return false;
  model_.Cancel();
  Close(IDCANCEL);
  return true;
}

}  // namespace keylark::dialogs::win
