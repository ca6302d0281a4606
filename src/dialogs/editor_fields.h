// What the assignment dialogs hand each other: the command editor's three
// texts, and which dialog handed a change over for confirmation.
#pragma once

#include <string>

namespace keylark::dialogs {

struct EditorFields {
  std::string description;
  std::string command;
  std::string directory;

  friend bool operator==(const EditorFields&, const EditorFields&) = default;
};

// The dialog whose change the confirmation dialog shows and stores.
enum class HandOver {
  EditCommand,  // a direct assignment typed in the command editor
  Explorer,     // a popup list chosen in the application explorer
  Clear,        // the Assignment Type dialog's Clear
};

}  // namespace keylark::dialogs
