// Operations on whole assignments: the label colours and popup marks the key
// bar shows, clearing the current key's assignment, and saving a popup list.
#pragma once

#include <array>
#include <string>

#include "app/session.h"
#include "platform/filesystem.h"
#include "store/registry_store.h"

namespace keylark::store {

struct LabelMark {
  app::Color color = app::kUnassignedColor;
  bool popup_mark = false;
};
using KeyMarks = std::array<LabelMark, app::kKeyCount>;

// What RefreshKeyMarks shows, key by key in FnKeyNames order: white when
// unassigned, the assigned colour otherwise, the reserved colour when
// "KeyReserve" names the key (even if assigned); a popup mark for popup keys
// while "Mark Popups" is on.
KeyMarks ComputeKeyMarks(const app::Session& session, const Store& store);

// Removes the current key's assignment: its popup list items (the list key
// and "FileCount" stay), its command, and blanks its description and working
// directory. The switch flag is left alone.
void ClearKeyAssignment(app::Session& session, const Store& store);

// Writes a popup list for the current key from the files of up to two folders
// (an empty folder name means none); a name both folders yield keeps the
// second folder's path. Then the command ("@" + ExplorerFolder) and the
// description (ExplorerCaption).
void SavePopupList(const app::Session& session, const Store& store, platform::FileSystem& files,
                   const std::string& folder, const std::string& folder2);

// The item name a file gets in a popup list: shortcuts ("...lnk", case
// sensitive) lose their four-character extension.
std::string PopupItemName(const std::string& file_name);

// Flips one option of "ini\cfg" by its stored value (absent counts as off)
// and returns the new state.
bool ToggleOption(const Store& store, const std::string& value_name);

}  // namespace keylark::store
