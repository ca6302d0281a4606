#include "dialogs/edit_command.h"

#include "core/assignment.h"
#include "core/path_split.h"
#include "launch/internet_shortcut.h"
#include "launch/shortcut_reader.h"
#include "store/layout.h"
#include "store/value_codec.h"

namespace keylark::dialogs {
namespace {

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string FolderForWorkingDirectory(const std::string& path) {
  std::string folder = core::FolderOfPath(path);
  // "C:" alone would be the drive's current folder, not its root.
  if (EndsWith(folder, ":")) folder += "\\";
  return folder;
}

}  // namespace

EditCommandModel::Shown EditCommandModel::Load() {
  Shown shown;
  shown.key_name = session_.CurrentKeyName;
  if (session_.CurrentKeyLookup != platform::kSuccess) return shown;  // a new assignment
  if (!store_.KeyExists(store::Root::CurrentUser, store::kSwitchFlagKey)) {
    core::WriteSwitchFlag(store_, session_.CurrentKeyName, shown.switch_to_running);
    return shown;
  }
  if (session_.PrevDescription.empty()) return shown;
  const std::string flag =
      store_.ReadText(store::kSwitchFlagKey, session_.CurrentKeyName).value_or("");
  shown.switch_to_running = store::IsSwitchFlagOn(flag);
  // The box is checked in the design: unchecking it at load is a click.
  if (!shown.switch_to_running) SetSwitchToRunning(false);
  return shown;
}

void EditCommandModel::SetSwitchToRunning(bool on) {
  core::WriteSwitchFlag(store_, session_.CurrentKeyName, on);
}

EditCommandModel::SaveOutcome EditCommandModel::Save(const EditorFields& fields,
                                                     bool switch_to_running) {
  // Anything but "0" asks for confirmation here, a missing value included.
  const bool confirm =
      store_.ReadText(store::kConfigKey, store::kConfirmChangesValue).value_or("") != "0";
  if (confirm && session_.CurrentKeyLookup == platform::kSuccess) {
    const EditorFields previous{session_.PrevDescription, session_.PrevCommand,
                                session_.PrevDirectory};
    return fields == previous ? SaveOutcome::Unchanged : SaveOutcome::AskConfirmation;
  }
  core::SaveDirectAssignment(
      store_, session_.CurrentKeyName,
      {fields.description, fields.command, fields.directory, switch_to_running});
  core::ForgetPreviousAssignment(session_);
  if (!fields.command.empty()) {
    if (const auto key = core::FindKeyByName(session_.CurrentKeyName)) {
      key_bar_.ShowAsAssigned(key->index);
    }
  }
  return SaveOutcome::Saved;
}

std::optional<EditorFields> FieldsForChosenFile(const std::string& path,
                                                const ChosenFileReaders& readers) {
  const std::string name = core::FileOfPath(path);
  if (launch::IsInternetShortcutName(name)) {
    // The address goes to the shell whole; it has no folder to start in.
    const std::optional<std::string> url = launch::ReadInternetShortcutUrl(readers.files, path);
    if (!url) return std::nullopt;
    return EditorFields{launch::InternetShortcutTitle(name), *url, ""};
  }
  if (!EndsWith(name, "lnk")) {
    return EditorFields{name, path, FolderForWorkingDirectory(path)};
  }
  std::string shortcut = path;
  launch::ShortcutInfo info;
  launch::ReadShortcut(readers.shortcuts, shortcut, info);
  if (info.TargetPath.empty()) return std::nullopt;
  return EditorFields{core::FileOfPath(info.TargetPath), info.TargetPath,
                      core::FolderOfPath(info.TargetPath)};
}

std::optional<EditorFields> BrowseForCommand(platform::FileChooser& chooser,
                                             const ChosenFileReaders& readers,
                                             platform::WindowHandle owner, const BrowseTexts& texts,
                                             const std::string& start_folder) {
  const std::optional<std::string> chosen =
      chooser.ChooseFileToOpen({owner, texts.title, texts.filter, start_folder});
  if (!chosen) return std::nullopt;
  return FieldsForChosenFile(*chosen, readers);
}

std::string BrowseStartFolder(const std::string& command_line, const std::string& programs_folder) {
  const std::size_t begin = command_line.find_first_not_of(' ');
  std::string program = begin == std::string::npos ? std::string() : command_line.substr(begin);
  if (!program.empty() && program.front() == '"') {
    program = program.substr(1, program.find('"', 1) - 1);
  }
  const std::string folder = FolderForWorkingDirectory(program);
  return folder.empty() ? programs_folder : folder;
}

}  // namespace keylark::dialogs
