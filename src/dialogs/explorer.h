// The Application Explorer's decisions: which folder or file the user has
// chosen, what its list shows, and what OK does with the choice: a popup
// list for the current key, or the command editor's fields for one program.
#pragma once

#include <optional>
#include <string>

#include "core/file_listing.h"
#include "core/key_bar_host.h"
#include "core/session.h"
#include "dialogs/editor_fields.h"
#include "dialogs/explorer_tree.h"
#include "platform/filesystem.h"
#include "platform/shortcut_library.h"
#include "store/registry_store.h"

namespace keylark::dialogs {

enum class ExplorerMode {
  Application,  // borrowed by the command editor: one file becomes its command
  Popup,        // from the Assignment Type dialog: a folder becomes a popup list
};

class ExplorerModel {
 public:
  ExplorerModel(core::Session& session, const store::Store& store, core::KeyBarHost& key_bar,
                platform::FileSystem& files, platform::ShortcutLibrary& shortcuts,
                ExplorerMode mode)
      : session_(session),
        store_(store),
        key_bar_(key_bar),
        files_(files),
        shortcuts_(shortcuts),
        mode_(mode) {}

  ExplorerMode Mode() const { return mode_; }
  const std::string& KeyName() const { return session_.CurrentKeyName; }

  // The tree of program folders the dialog opens with.
  FolderTree LoadTree(const ProgramFolders& folders) const;

  // A folder chosen in the tree: its files, and a merged second folder's
  // after them. In popup mode the folder is the choice and OK may be used.
  const core::FileListing& ChooseFolder(const FolderNode& node);
  // A file chosen in the list: it is the choice, and its folder the folder.
  void ChooseFile(const core::ListedFile& file);
  // Whether OK has a choice to act on.
  bool CanConfirm() const { return can_confirm_; }

  struct Outcome {
    // Popup mode: the key had another command and changes are confirmed,
    // so the change goes to the confirmation dialog.
    bool confirm = false;
    // Application mode: what the command editor's fields become.
    std::optional<EditorFields> editor;
  };
  // OK. A popup list is saved here unless it needs confirming; an empty
  // choice (nothing listed) changes nothing.
  Outcome Ok();

 private:
  EditorFields FieldsForChosenFile() const;
  bool NeedsConfirmation() const;

  core::Session& session_;
  const store::Store& store_;
  core::KeyBarHost& key_bar_;
  platform::FileSystem& files_;
  platform::ShortcutLibrary& shortcuts_;
  ExplorerMode mode_;
  core::FileListing listing_;
  bool can_confirm_ = false;
};

// The description for a chosen file: its name less a three-letter
// extension and its dot, or the whole name when it has none.
std::string DescriptionOfFile(const std::string& file_name);

}  // namespace keylark::dialogs
