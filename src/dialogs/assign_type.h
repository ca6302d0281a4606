// The Assignment Type dialog's decisions: the first step of every change to
// the current key's assignment.
#pragma once

#include <optional>
#include <string>

#include "core/key_bar_host.h"
#include "core/session.h"
#include "dialogs/editor_fields.h"
#include "store/registry_store.h"

namespace keylark::dialogs {

class AssignTypeModel {
 public:
  AssignTypeModel(core::Session& session, const store::Store& store, core::KeyBarHost& key_bar)
      : session_(session), store_(store), key_bar_(key_bar) {}

  struct Shown {
    std::string key_name;
    bool confirm_changes = false;
  };

  // Loads the key's stored assignment as the previous one (empty for a key
  // without a command) and reads "Confirm Changes": only "1" checks the box;
  // anything else leaves it unchecked and is stored back as "0".
  Shown Load();

  // The box clicked: stored at once, and the key bar's menu follows it.
  void SetConfirmChanges(bool on);

  // Direct...: the editor is filled with the stored assignment, if the key
  // has one; a new assignment starts from empty fields.
  std::optional<EditorFields> EditorPrefill() const;

  enum class ClearOutcome {
    NothingStored,    // the key had no command: nothing written
    Cleared,          // removed at once
    AskConfirmation,  // the confirmation dialog shows the key going to "none"
  };
  // Clear, with the box as shown.
  ClearOutcome Clear(bool confirm_changes);

 private:
  core::Session& session_;
  const store::Store& store_;
  core::KeyBarHost& key_bar_;
};

}  // namespace keylark::dialogs
