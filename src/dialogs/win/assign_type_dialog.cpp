#include "dialogs/win/assign_type_dialog.h"

#include "resource.h"

namespace keylark::dialogs::win {

bool AssignTypeDialog::OnInit() {
  const AssignTypeModel::Shown shown = model_.Load();
  SetText(IDC_AT_KEY, shown.key_name);
  SetChecked(IDC_AT_CONFIRM, shown.confirm_changes);
  return true;  // the focus goes to Cancel, the first control
}

bool AssignTypeDialog::OnCommand(int id, int notification) {
  if (notification != BN_CLICKED) return false;
  switch (id) {
    case IDC_AT_CONFIRM:
      model_.SetConfirmChanges(IsChecked(IDC_AT_CONFIRM));
      return true;
    case IDC_AT_DIRECT:
      prefill_ = model_.EditorPrefill();
      GoOn(Next::EditCommand);
      return true;
    case IDC_AT_POPUP:
      GoOn(Next::Explorer);
      return true;
    case IDC_AT_CLEAR:
      switch (model_.Clear(IsChecked(IDC_AT_CONFIRM))) {
        case AssignTypeModel::ClearOutcome::AskConfirmation:
          GoOn(Next::ConfirmClear);
          break;
        case AssignTypeModel::ClearOutcome::Cleared:
        case AssignTypeModel::ClearOutcome::NothingStored:
          GoOn(Next::Nothing);
          break;
      }
      return true;
    default:
      return false;
  }
}

void AssignTypeDialog::GoOn(Next next) {
  next_ = next;
  Close(IDOK);
}

void AssignTypeDialog::OnClosed() {
  if (on_closed) on_closed();
}

}  // namespace keylark::dialogs::win
