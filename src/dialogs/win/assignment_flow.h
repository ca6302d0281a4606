// How the assignment dialogs follow one another. Every change of a key's
// assignment starts in the Assignment Type dialog and may go on to the
// command editor, the application explorer or the confirmation; each closes
// before the next one opens, so at most one of them is on screen, and the key
// bar takes input again when the flow ends.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "core/help_topics.h"
#include "core/key_bar_host.h"
#include "core/session.h"
#include "dialogs/editor_fields.h"
#include "dialogs/explorer.h"
#include "dialogs/win/assign_type_dialog.h"
#include "platform/file_chooser.h"
#include "platform/filesystem.h"
#include "platform/shortcut_library.h"
#include "store/registry_store.h"
#include "ui/win/dialog.h"

namespace keylark::dialogs::win {

struct DialogServices {
  core::Session& session;
  const store::Store& store;
  core::KeyBarHost& key_bar;
  platform::FileSystem& files;
  platform::FileChooser& chooser;
  platform::ShortcutLibrary& shortcuts;
  HINSTANCE instance;
  ui::win::HelpRoutine show_help;
  ui::win::DialogLocalizer& localizer;
};

class AssignmentFlow {
 public:
  explicit AssignmentFlow(DialogServices services);
  ~AssignmentFlow();
  AssignmentFlow(const AssignmentFlow&) = delete;
  AssignmentFlow& operator=(const AssignmentFlow&) = delete;

  // The Function Key Assignments window, modal over the key bar.
  void ShowAssignments();
  // The Assignment Type dialog for the current key: owned by the key bar and
  // returning when the whole flow has ended, or without owner and returning
  // at once. While one is open the call only brings it forward.
  void ShowAssignTypeModal();
  void ShowAssignTypeModeless();
  // On core::ContinueFlowMessage, which a dialog opened without owner posts
  // to the key bar once it has closed: goes on with the user's choice.
  void ContinueAfterModeless();

 private:
  HWND KeyBarWindow() const;
  ui::win::DialogContext Context(HWND owner, core::HelpTopic topic, bool* open_flag) const;
  AssignTypeModel MakeAssignTypeModel() const;
  bool BringOpenAssignTypeForward() const;
  void CloseAssignmentsList() const;
  void GoOnFrom(const AssignTypeDialog& dialog);
  void RunEditCommand(const std::optional<EditorFields>& prefill);
  void RunConfirmation(HandOver source, const EditorFields& change);
  // The explorer in popup mode ends the flow itself; in application mode it
  // gives the fields for the command editor, or nothing.
  std::optional<EditorFields> RunExplorer(HWND owner, ExplorerMode mode);

  DialogServices services_;
  std::unique_ptr<AssignTypeDialog> modeless_;
  ui::win::Dialog* assignments_ = nullptr;  // while the list window is open
};

}  // namespace keylark::dialogs::win
