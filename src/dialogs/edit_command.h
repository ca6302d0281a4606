// The Add/Edit Command dialog's decisions: a direct assignment of the current
// key, typed or taken from a chosen file, stored at once or handed to the
// confirmation dialog.
#pragma once

#include <optional>
#include <string>

#include "core/key_bar_host.h"
#include "core/session.h"
#include "dialogs/editor_fields.h"
#include "platform/file_chooser.h"
#include "platform/filesystem.h"
#include "platform/shortcut_library.h"
#include "store/registry_store.h"

namespace keylark::dialogs {

class EditCommandModel {
 public:
  EditCommandModel(core::Session& session, const store::Store& store, core::KeyBarHost& key_bar)
      : session_(session), store_(store), key_bar_(key_bar) {}

  struct Shown {
    std::string key_name;
    bool switch_to_running = true;
  };

  // The key name and the switch box. A new assignment starts checked; an
  // existing one shows its stored flag when it has a description. When
  // "ini\opts" is missing it is made now, with the box's state for the key.
  Shown Load();

  // The switch box clicked: stored at once, whatever happens to the dialog.
  void SetSwitchToRunning(bool on);

  enum class SaveOutcome {
    Saved,            // written at once
    Unchanged,        // confirmation is on and nothing changed: nothing written
    AskConfirmation,  // confirmation is on and the key had a command: show the change
  };
  // OK with the fields and the switch box as shown.
  SaveOutcome Save(const EditorFields& fields, bool switch_to_running);

 private:
  core::Session& session_;
  const store::Store& store_;
  core::KeyBarHost& key_bar_;
};

// What Browse... reads a chosen file with.
struct ChosenFileReaders {
  platform::ShortcutLibrary& shortcuts;
  platform::FileSystem& files;
};

// The fields for a file chosen with Browse...: a program gives its name, its
// path and its folder (a drive root keeps its backslash); a shortcut
// ("...lnk") gives the same of its target, read through the shortcut
// library; an Internet shortcut ("...url") gives its name without ".url" and
// its address, with no working directory. Nothing when the shortcut cannot
// be read or holds no address.
std::optional<EditorFields> FieldsForChosenFile(const std::string& path,
                                                const ChosenFileReaders& readers);

// The file dialog's title and its filter, in the "name|pattern" pairs the
// filter is written in; the view reads both from its string table.
struct BrowseTexts {
  std::string title;
  std::string filter;
};

// Browse...: asks for a program or a shortcut of either kind, starting in `start_folder`,
// and gives the fields for it; nothing when the user cancelled or the
// shortcut cannot be read.
std::optional<EditorFields> BrowseForCommand(platform::FileChooser& chooser,
                                             const ChosenFileReaders& readers,
                                             platform::WindowHandle owner, const BrowseTexts& texts,
                                             const std::string& start_folder = "");

// Where Browse... starts: in the folder of the program that the command line
// names (quoted or not), or else in the Start menu's programs folder, where
// programs are.
std::string BrowseStartFolder(const std::string& command_line, const std::string& programs_folder);

}  // namespace keylark::dialogs
