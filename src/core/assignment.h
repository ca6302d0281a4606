// The store operations on the current key's assignment, as the dialogs call
// them: they act on CurrentKeyName and keep the session's copies in step.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/session.h"
#include "platform/filesystem.h"
#include "store/registry_store.h"

namespace keylark::core {

// Removes the current key's assignment (store::ClearAssignment) and empties
// the previous assignment that the dialogs compare against.
void ClearKeyAssignment(Session& session, const store::Store& store);

// Empties PrevCommand, PrevDirectory and PrevDescription.
void ForgetPreviousAssignment(Session& session);

// A direct assignment as the command editor saves it.
struct DirectAssignment {
  std::string description;
  std::string command;
  std::string directory;
  bool switch_to_running = true;
};

// Replaces a key's assignment with a direct one: clears what the key had,
// then writes the command (unless empty: the key is then unassigned), the
// working directory and the description (each unless empty; their keys are
// made with the empty placeholder for all 24 keys when missing) and the
// switch flag (see WriteSwitchFlag).
void SaveDirectAssignment(const store::Store& store, const std::string& key_name,
                          const DirectAssignment& assignment);

// Stores a key's switch flag, "1" or "0". When "ini\opts" does not exist
// yet it is made with "0" for all 24 keys first.
void WriteSwitchFlag(const store::Store& store, const std::string& key_name, bool on);

// What the store holds for a key, each text cut at its first NUL; a missing
// value reads as empty (the switch flag as nothing).
struct StoredAssignment {
  std::optional<std::string> command;
  std::string description;
  std::string directory;
  std::optional<std::string> switch_flag;
};
StoredAssignment ReadAssignment(const store::Store& store, const std::string& key_name);

// Saves a popup list for the current key from up to two folders, with the
// explorer's choice: its item count, its folder (the command) and caption
// (the description).
void SavePopupList(const Session& session, const store::Store& store, platform::FileSystem& files,
                   const std::string& folder, const std::string& folder2);

// A folder, with the second folder merged into it if any, made a key's popup
// list: the explorer's OK and keylarkctl's set-popup both come here, each
// giving only what it knows better.
struct PopupListChoice {
  std::string key_name;
  std::string folder;   // the command becomes "@" + this
  std::string folder2;  // empty: none
  // Nothing: counted as the explorer lists the two folders.
  std::optional<std::int16_t> file_count;
  // Nothing: the folder's own name.
  std::optional<std::string> description;
};
// Clears what the key had and saves the list, its command and description.
// Returns the count saved; 0 when the folders list no file, and then the key
// is left as it was.
std::int16_t AssignPopupList(const store::Store& store, platform::FileSystem& files,
                             const PopupListChoice& choice);

}  // namespace keylark::core
