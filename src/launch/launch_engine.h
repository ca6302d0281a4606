// Using a key: what a left click on a key label or a key pressed with Fn does.
// The key is the session's current key (CurrentKeyName, CurrentKeyIndex),
// which the caller sets first.
#pragma once

#include <string>

#include "core/key_bar_host.h"
#include "core/session.h"
#include "platform/shell.h"
#include "store/registry_store.h"

namespace keylark::launch {

// The windows a launch may open, carried out by the key bar.
class LaunchUi {
 public:
  virtual ~LaunchUi() = default;

  // The Assignment Type dialog for the current key: owned by the key bar and
  // returning only when it has closed, or without owner and returning at once.
  virtual void ShowAssignTypeModal() = 0;
  virtual void ShowAssignTypeModeless() = 0;

  // Builds the current key's popup list and pops it up at the mouse pointer.
  virtual void ShowPopupList() = 0;
};

struct LaunchServices {
  core::Session& session;
  const store::Store& store;
  platform::Shell& shell;
  core::KeyBarHost& key_bar;
  LaunchUi& ui;
};

// Reads the current key's assignment and acts on it:
// - unassigned: opens the Assignment Type dialog, or only brings windows
//   forward while one of the assignment dialogs is open;
// - popup key: shows its popup list, or opens its folder when the list is
//   empty (its "FileCount" is 0) and the key bar is not to be minimized;
// - direct key: hands the command to the shell as program and parameters
//   (launch/command_line.h), or brings the application this key started
//   forward when the key's switch flag is on.
// Afterwards a direct key minimizes the key bar when "Minimize On Use" is on.
void LaunchKey(const LaunchServices& services);

enum class SwitchOutcome {
  BroughtForward,  // the process this key started still runs; its window came forward
  Started,         // a new process was started and remembered for the key
  NoSnapshot,      // the process list could not be read: nothing was started
  FellBackToShell  // the command is no program; the shell opened it instead
};

// Brings the application that the current key started forward while its
// process lives, otherwise starts the command and remembers the new process
// and the window in front right after the start.
SwitchOutcome SwitchOrStart(const LaunchServices& services, const std::string& command);

}  // namespace keylark::launch
