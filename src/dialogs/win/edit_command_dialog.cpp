#include "dialogs/win/edit_command_dialog.h"

#include "platform/win32/program_folder.h"
#include "resource.h"

namespace keylark::dialogs::win {

bool EditCommandDialog::OnInit() {
  const EditCommandModel::Shown shown = model_.Load();
  SetText(IDC_EC_KEY, shown.key_name);
  SetChecked(IDC_EC_SWITCH, shown.switch_to_running);
  if (prefill) ShowFields(*prefill);
  return true;  // the focus goes to the description, the first box
}

EditorFields EditCommandDialog::Fields() const {
  return {Text(IDC_EC_DESCRIPTION), Text(IDC_EC_COMMAND), Text(IDC_EC_DIRECTORY)};
}

void EditCommandDialog::ShowFields(const EditorFields& fields) const {
  SetText(IDC_EC_DESCRIPTION, fields.description);
  SetText(IDC_EC_COMMAND, fields.command);
  SetText(IDC_EC_DIRECTORY, fields.directory);
}

void EditCommandDialog::OnOk() {
  const EditorFields fields = Fields();
  if (model_.Save(fields, IsChecked(IDC_EC_SWITCH)) ==
      EditCommandModel::SaveOutcome::AskConfirmation) {
    to_confirm_ = fields;
  }
  accepted_ = true;
  Close(IDOK);
}

bool EditCommandDialog::OnCommand(int id, int notification) {
  if (notification != BN_CLICKED) return false;
  switch (id) {
    case IDC_EC_SWITCH:
      model_.SetSwitchToRunning(IsChecked(IDC_EC_SWITCH));
      return true;
    case IDC_EC_BROWSE:
      if (const auto fields = BrowseForCommand(
              chooser_, readers_, reinterpret_cast<platform::WindowHandle>(hwnd()),
              BrowseTexts{ProgramText(IDS_BROWSE_TITLE), ProgramText(IDS_BROWSE_FILTER)},
              BrowseStartFolder(Text(IDC_EC_COMMAND), platform::win32::ProgramsFolder(false)))) {
        ShowFields(*fields);
      }
      return true;
    case IDC_EC_APPLICATION:
      if (open_explorer) {
        if (const auto fields = open_explorer(hwnd())) ShowFields(*fields);
      }
      return true;
    default:
      return false;
  }
}

}  // namespace keylark::dialogs::win
