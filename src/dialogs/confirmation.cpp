#include "dialogs/confirmation.h"

#include "core/assignment.h"
#include "store/layout.h"

namespace keylark::dialogs {
namespace {

std::string ShownCommand(const std::string& command) {
  if (!store::IsPopupCommand(command)) return command;
  return kPopupListPrefix + command.substr(1);
}

}  // namespace

ConfirmationModel::Shown ConfirmationModel::Load() const {
  Shown shown;
  shown.key_name = session_.CurrentKeyName;
  shown.previous = {session_.PrevDescription, ShownCommand(session_.PrevCommand),
                    session_.PrevDirectory};
  switch (source_) {
    case HandOver::EditCommand:
      shown.next = change_;
      break;
    case HandOver::Explorer:
      shown.next = {session_.ExplorerCaption, kPopupListPrefix + session_.ExplorerFolder, ""};
      break;
    case HandOver::Clear:
      shown.next = {"", kClearedCommand, ""};
      break;
  }
  return shown;
}

void ConfirmationModel::Ok(const Shown& shown) {
  core::ClearKeyAssignment(session_, store_);
  if (source_ == HandOver::Explorer) {
    core::SavePopupList(session_, store_, files_, session_.ExplorerFolder,
                        session_.ExplorerFolder2);
  } else if (shown.next.command != kClearedCommand) {
    // "none" in the New frame means the key is cleared, whoever wrote it.
    // The keys exist for a key that had a command: they are only opened,
    // and the texts are written as shown, empty ones too.
    const std::string& key = shown.key_name;
    store_.WriteText(store::kCommandKey, key, shown.next.command, store::KeyMode::OpenExisting);
    store_.WriteText(store::kDescriptionKey, key, shown.next.description,
                     store::KeyMode::OpenExisting);
    store_.WriteText(store::kDirectoryKey, key, shown.next.directory, store::KeyMode::OpenExisting);
  }
  key_bar_.RefreshKeyMarks();
  key_bar_.Enable();
}

void ConfirmationModel::Cancel() { key_bar_.Enable(); }

}  // namespace keylark::dialogs
