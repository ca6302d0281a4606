#include "core/assignment.h"

#include <functional>

#include "core/file_listing.h"
#include "core/key_table.h"
#include "core/path_split.h"
#include "store/layout.h"
#include "store/store_operations.h"

namespace keylark::core {
namespace {

using store::KeyMode;
using store::ScopedKey;

// Opens a per-key assignment key; when it does not exist yet, creates it and
// gives every key of the table its initial value first.
void OpenOrCreateForAllKeys(const store::Store& store, const char* path,
                            const store::Bytes& initial,
                            const std::function<void(const ScopedKey&)>& write) {
  const ScopedKey existing(store.Registry(), store::Root::CurrentUser, path, false);
  if (existing.IsOpen()) {
    write(existing);
    return;
  }
  const ScopedKey created(store.Registry(), store::Root::CurrentUser, path, true);
  for (const std::string& key_name : BuildFnKeyNames()) {
    created.Write(key_name, platform::kRegSz, initial);
  }
  write(created);
}

void WriteUnlessEmpty(const store::Store& store, const char* path, const std::string& key_name,
                      const std::string& text) {
  OpenOrCreateForAllKeys(store, path, store::EmptyPlaceholder(), [&](const ScopedKey& key) {
    if (!text.empty()) key.WriteText(key_name, text);
  });
}

}  // namespace

void ClearKeyAssignment(Session& session, const store::Store& store) {
  store::ClearAssignment(store, session.CurrentKeyName);
  ForgetPreviousAssignment(session);
}

void ForgetPreviousAssignment(Session& session) {
  session.PrevCommand.clear();
  session.PrevDirectory.clear();
  session.PrevDescription.clear();
}

void SaveDirectAssignment(const store::Store& store, const std::string& key_name,
                          const DirectAssignment& assignment) {
  store::ClearAssignment(store, key_name);
  if (!assignment.command.empty()) {
    store.WriteText(store::kCommandKey, key_name, assignment.command, KeyMode::CreateIfMissing);
  }
  WriteUnlessEmpty(store, store::kDirectoryKey, key_name, assignment.directory);
  WriteUnlessEmpty(store, store::kDescriptionKey, key_name, assignment.description);
  WriteSwitchFlag(store, key_name, assignment.switch_to_running);
}

void WriteSwitchFlag(const store::Store& store, const std::string& key_name, bool on) {
  OpenOrCreateForAllKeys(
      store, store::kSwitchFlagKey, store::EncodeFlag(false),
      [&](const ScopedKey& key) { key.Write(key_name, platform::kRegSz, store::EncodeFlag(on)); });
}

StoredAssignment ReadAssignment(const store::Store& store, const std::string& key_name) {
  StoredAssignment stored;
  stored.command = store.ReadText(store::kCommandKey, key_name);
  stored.description = store.ReadText(store::kDescriptionKey, key_name).value_or("");
  stored.directory = store.ReadText(store::kDirectoryKey, key_name).value_or("");
  stored.switch_flag = store.ReadText(store::kSwitchFlagKey, key_name);
  return stored;
}

void SavePopupList(const Session& session, const store::Store& store, platform::FileSystem& files,
                   const std::string& folder, const std::string& folder2) {
  store::PopupListSave list;
  list.key_name = session.CurrentKeyName;
  list.folder = folder;
  list.folder2 = folder2;
  list.file_count = session.ExplorerItemCount;
  list.command_folder = session.ExplorerFolder;
  list.description = session.ExplorerCaption;
  store::SavePopupList(store, files, list);
}

std::int16_t AssignPopupList(const store::Store& store, platform::FileSystem& files,
                             const PopupListChoice& choice) {
  const std::int16_t count = choice.file_count
                                 ? *choice.file_count
                                 : CountListedFiles(files, choice.folder, choice.folder2);
  if (count <= 0) return 0;
  store::PopupListSave list;
  list.key_name = choice.key_name;
  list.folder = choice.folder;
  list.folder2 = choice.folder2;
  list.file_count = count;
  list.command_folder = choice.folder;
  list.description = choice.description.value_or(FileOfPath(choice.folder));
  store::ClearAssignment(store, choice.key_name);
  store::SavePopupList(store, files, list);
  return count;
}

}  // namespace keylark::core
