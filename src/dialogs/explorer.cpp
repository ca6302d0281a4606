#include "dialogs/explorer.h"

#include "core/assignment.h"
#include "core/path_split.h"
#include "launch/shortcut_reader.h"
#include "store/layout.h"
#include "store/value_codec.h"

namespace keylark::dialogs {
namespace {

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

std::string DescriptionOfFile(const std::string& file_name) {
  const std::size_t n = file_name.size();
  if (n >= 4 && file_name[n - 4] == '.') return file_name.substr(0, n - 4);
  return file_name;
}

FolderTree ExplorerModel::LoadTree(const ProgramFolders& folders) const {
  return BuildProgramTree(files_, folders, session_.OsVersionFlag);
}

const core::FileListing& ExplorerModel::ChooseFolder(const FolderNode& node) {
  listing_.Clear();
  listing_.Add(files_, node.key);
  if (!node.tag.empty()) listing_.Add(files_, node.tag);
  session_.ExplorerItemCount = listing_.ItemCount();
  session_.ExplorerCaption = node.text;
  can_confirm_ = mode_ == ExplorerMode::Popup;
  if (mode_ == ExplorerMode::Popup) {
    session_.ExplorerFolder = node.key;
    session_.ExplorerFolder2 = node.tag;
  }
  return listing_;
}

void ExplorerModel::ChooseFile(const core::ListedFile& file) {
  session_.ExplorerFile = file.name;
  session_.ExplorerFolder = file.folder;
  can_confirm_ = true;
}

EditorFields ExplorerModel::FieldsForChosenFile() const {
  const std::string description = DescriptionOfFile(session_.ExplorerFile);
  const std::string path = session_.ExplorerFolder + "\\" + session_.ExplorerFile;
  if (EndsWith(session_.ExplorerFile, "lnk")) {
    std::string shortcut = path;
    launch::ShortcutInfo info;
    launch::ReadShortcut(shortcuts_, shortcut, info);
    if (!info.TargetPath.empty()) {
      return {description, info.TargetPath, core::FolderOfPath(info.TargetPath)};
    }
    // A shortcut whose target cannot be read still starts through the shell
    // as itself: better than an empty command line.
  }
  return {description, path, session_.ExplorerFolder};
}

bool ExplorerModel::NeedsConfirmation() const {
  const std::string command = store_.ReadText(store::kCommandKey, KeyName()).value_or("");
  const std::string confirm =
      store_.ReadText(store::kConfigKey, store::kConfirmChangesValue).value_or("");
  // Saving the key's own list again is no change worth asking about.
  return store::NumericValue(confirm) == 1 && !command.empty() &&
         command != "@" + session_.ExplorerFolder;
}

ExplorerModel::Outcome ExplorerModel::Ok() {
  Outcome outcome;
  if (session_.ExplorerItemCount == 0) return outcome;
  if (mode_ == ExplorerMode::Application) {
    outcome.editor = FieldsForChosenFile();
    return outcome;
  }
  if (NeedsConfirmation()) {
    outcome.confirm = true;
    return outcome;
  }
  core::AssignPopupList(store_, files_,
                        {KeyName(), session_.ExplorerFolder, session_.ExplorerFolder2,
                         session_.ExplorerItemCount, session_.ExplorerCaption});
  core::ForgetPreviousAssignment(session_);
  key_bar_.RefreshKeyMarks();
  return outcome;
}

}  // namespace keylark::dialogs
