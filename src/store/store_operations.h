// Operations on whole assignments: what the store says of each key (its
// mark), clearing a key's assignment, saving a popup list, flipping options.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/filesystem.h"
#include "store/registry_store.h"

namespace keylark::store {

// What the store holds for one key.
struct KeyMark {
  bool assigned = false;  // it has a command
  bool popup = false;     // that command is a popup list ("@" + folder)
  bool reserved = false;  // "KeyReserve" names it, whatever else it has
};

// The marks of the given keys, in their order.
std::vector<KeyMark> ReadKeyMarks(const Store& store, std::span<const std::string> key_names);

// Removes a key's assignment: its popup list items (the list key and its
// "FileCount" stay), its command, and blanks its description and working
// directory where those keys exist. The switch flag is left alone.
void ClearAssignment(const Store& store, const std::string& key_name);

struct PopupListSave {
  std::string key_name;
  std::string folder;   // empty: none
  std::string folder2;  // empty: none
  std::int16_t file_count = 0;
  std::string command_folder;  // the command becomes "@" + this
  std::string description;
};

// Writes a popup list from the files of up to two folders (a name both
// folders yield keeps the second folder's path), then the key's command and
// description.
void SavePopupList(const Store& store, platform::FileSystem& files, const PopupListSave& list);

// The item name a file gets in a popup list: shortcuts ("...lnk", case
// sensitive) lose their four-character extension.
std::string PopupItemName(const std::string& file_name);

// Flips one option of "ini\cfg" by its stored value (absent counts as off)
// and returns the new state.
bool ToggleOption(const Store& store, const std::string& value_name);

}  // namespace keylark::store
