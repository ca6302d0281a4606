#include "dialogs/assign_type.h"

#include "core/assignment.h"
#include "store/layout.h"

namespace keylark::dialogs {

AssignTypeModel::Shown AssignTypeModel::Load() {
  const bool has_command = session_.CurrentKeyLookup == platform::kSuccess;
  if (has_command) {
    const core::StoredAssignment stored = core::ReadAssignment(store_, session_.CurrentKeyName);
    session_.PrevCommand = stored.command.value_or("");
    session_.PrevDirectory = stored.directory;
    session_.PrevDescription = stored.description;
  } else {
    core::ForgetPreviousAssignment(session_);
  }
  Shown shown;
  shown.key_name = session_.CurrentKeyName;
  shown.confirm_changes = store_.ReadFlag(store::kConfigKey, store::kConfirmChangesValue);
  // The box is checked in the design: leaving it unchecked is a click.
  if (!shown.confirm_changes) SetConfirmChanges(false);
  return shown;
}

void AssignTypeModel::SetConfirmChanges(bool on) {
  store_.WriteFlag(store::kConfigKey, store::kConfirmChangesValue, on,
                   store::KeyMode::OpenExisting);
  key_bar_.ShowConfirmChanges(on);
}

std::optional<EditorFields> AssignTypeModel::EditorPrefill() const {
  if (session_.CurrentKeyLookup != platform::kSuccess) return std::nullopt;
  return EditorFields{session_.PrevDescription, session_.PrevCommand, session_.PrevDirectory};
}

AssignTypeModel::ClearOutcome AssignTypeModel::Clear(bool confirm_changes) {
  if (session_.CurrentKeyLookup != platform::kSuccess) {
    key_bar_.Enable();
    return ClearOutcome::NothingStored;
  }
  if (confirm_changes) return ClearOutcome::AskConfirmation;
  core::ClearKeyAssignment(session_, store_);
  key_bar_.RefreshKeyMarks();
  return ClearOutcome::Cleared;
}

}  // namespace keylark::dialogs
