#include "dialogs/win/assignment_flow.h"

#include "core/window_messages.h"
#include "dialogs/win/assignments_dialog.h"
#include "dialogs/win/confirmation_dialog.h"
#include "dialogs/win/edit_command_dialog.h"
#include "dialogs/win/explorer_dialog.h"
#include "platform/win32/program_folder.h"
#include "resource.h"

namespace keylark::dialogs::win {

AssignmentFlow::AssignmentFlow(DialogServices services) : services_(std::move(services)) {}

AssignmentFlow::~AssignmentFlow() = default;

HWND AssignmentFlow::KeyBarWindow() const {
  return reinterpret_cast<HWND>(services_.key_bar.Handle());
}

ui::win::DialogContext AssignmentFlow::Context(HWND owner, core::HelpTopic topic,
                                               bool* open_flag) const {
  ui::win::DialogContext context;
  context.owner = owner;
  context.topmost = services_.session.AlwaysOnTop;
  context.icon_id = IDI_KEYLARK;
  context.show_help = services_.show_help;
  context.help_topic = topic;
  context.open_flag = open_flag;
  context.localizer = &services_.localizer;
  return context;
}

AssignTypeModel AssignmentFlow::MakeAssignTypeModel() const {
  return AssignTypeModel(services_.session, services_.store, services_.key_bar);
}

void AssignmentFlow::ShowAssignments() {
  AssignmentsDialog list(AssignmentListModel(services_.session, services_.store),
                         services_.instance);
  assignments_ = &list;
  list.RunModal(services_.instance, IDD_ASSIGNMENTS,
                Context(KeyBarWindow(), core::kAssignmentsHelp, nullptr));
  assignments_ = nullptr;
  services_.key_bar.Enable();
  switch (list.Chosen()) {
    case AssignmentsDialog::Next::AssignTypeModal:
      ShowAssignTypeModal();
      break;
    case AssignmentsDialog::Next::AssignTypeModeless:
      ShowAssignTypeModeless();
      break;
    case AssignmentsDialog::Next::Nothing:
      break;
  }
}

void AssignmentFlow::ShowAssignTypeModal() {
  if (BringOpenAssignTypeForward()) return;
  CloseAssignmentsList();
  AssignTypeDialog dialog(MakeAssignTypeModel());
  dialog.RunModal(
      services_.instance, IDD_ASSIGN_TYPE,
      Context(KeyBarWindow(), core::kAssignTypeHelp, &services_.session.AssignTypeOpen));
  GoOnFrom(dialog);
}

void AssignmentFlow::ShowAssignTypeModeless() {
  if (BringOpenAssignTypeForward()) return;
  CloseAssignmentsList();
  modeless_ = std::make_unique<AssignTypeDialog>(MakeAssignTypeModel());
  // Its choice is taken up once its window is gone, from the key bar's queue.
  // Until then it still counts as open, as it does while the next dialog
  // loads: a key reported meanwhile cannot open another one in its place.
  modeless_->on_closed = [this, dialog = modeless_.get(), window = KeyBarWindow()] {
    if (dialog->Chosen() != AssignTypeDialog::Next::Nothing) {
      services_.session.AssignTypeOpen = true;
    }
    PostMessageA(window, core::ContinueFlowMessage, 0, 0);
  };
  if (!modeless_->ShowModeless(
          services_.instance, IDD_ASSIGN_TYPE,
          Context(nullptr, core::kAssignTypeHelp, &services_.session.AssignTypeOpen))) {
    modeless_.reset();
  }
}

void AssignmentFlow::ContinueAfterModeless() {
  if (!modeless_ || modeless_->IsOpen()) return;
  const std::unique_ptr<AssignTypeDialog> closed = std::move(modeless_);
  services_.session.AssignTypeOpen = false;
  GoOnFrom(*closed);
}

bool AssignmentFlow::BringOpenAssignTypeForward() const {
  if (!services_.session.AssignTypeOpen) return false;
  if (HWND active = ui::win::Dialog::ActiveDialog()) SetForegroundWindow(active);
  return true;
}

void AssignmentFlow::CloseAssignmentsList() const {
  // Only a list the user can see gives way; a minimized one stays.
  if (assignments_ != nullptr && assignments_->IsOpen() && !IsIconic(assignments_->hwnd())) {
    assignments_->Close(IDOK);
  }
}

void AssignmentFlow::GoOnFrom(const AssignTypeDialog& dialog) {
  switch (dialog.Chosen()) {
    case AssignTypeDialog::Next::EditCommand:
      RunEditCommand(dialog.EditorPrefill());
      break;
    case AssignTypeDialog::Next::Explorer:
      RunExplorer(KeyBarWindow(), ExplorerMode::Popup);
      services_.key_bar.Enable();
      break;
    case AssignTypeDialog::Next::ConfirmClear:
      RunConfirmation(HandOver::Clear, {});
      break;
    case AssignTypeDialog::Next::Nothing:
      break;
  }
}

void AssignmentFlow::RunEditCommand(const std::optional<EditorFields>& prefill) {
  EditCommandDialog dialog(EditCommandModel(services_.session, services_.store, services_.key_bar),
                           services_.chooser, {services_.shortcuts, services_.files});
  dialog.prefill = prefill;
  // The explorer is borrowed: the editor waits under it and stays open.
  dialog.open_explorer = [this](HWND editor) {
    return RunExplorer(editor, ExplorerMode::Application);
  };
  dialog.RunModal(
      services_.instance, IDD_EDIT_COMMAND,
      Context(KeyBarWindow(), core::kEditCommandHelp, &services_.session.EditCommandOpen));
  if (!dialog.Accepted()) return;
  if (dialog.ChangeToConfirm()) RunConfirmation(HandOver::EditCommand, *dialog.ChangeToConfirm());
  services_.key_bar.RefreshKeyMarks();
  CloseAssignmentsList();
}

void AssignmentFlow::RunConfirmation(HandOver source, const EditorFields& change) {
  ConfirmationDialog dialog(ConfirmationModel(services_.session, services_.store, services_.key_bar,
                                              services_.files, source, change));
  dialog.RunModal(services_.instance, IDD_CONFIRM,
                  Context(KeyBarWindow(), core::kConfirmHelp, &services_.session.ConfirmOpen));
}

std::optional<EditorFields> AssignmentFlow::RunExplorer(HWND owner, ExplorerMode mode) {
  ExplorerDialog explorer(ExplorerModel(services_.session, services_.store, services_.key_bar,
                                        services_.files, services_.shortcuts, mode),
                          ProgramFolders{platform::win32::ProgramsFolder(true),
                                         platform::win32::ProgramsFolder(false)});
  explorer.RunModal(services_.instance, IDD_EXPLORER,
                    Context(owner, core::kGeneralHelp, &services_.session.ExplorerOpen));
  if (!explorer.Accepted()) return std::nullopt;
  if (explorer.Outcome().confirm) RunConfirmation(HandOver::Explorer, {});
  return explorer.Outcome().editor;
}

}  // namespace keylark::dialogs::win
