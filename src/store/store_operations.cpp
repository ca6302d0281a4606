#include "store/store_operations.h"

#include "store/layout.h"

namespace keylark::store {
namespace {

void ClearPopupItems(const Store& store, const std::string& key_name) {
  const ScopedKey list(store.Registry(), Root::CurrentUser, PopupListKey(key_name), false);
  if (!list.IsOpen()) return;
  const std::vector<std::string> items = list.SubkeyNames();
  for (const std::string& item : items) list.DeleteValue(item);
  for (const std::string& item : items) store.Registry().DeleteKey(list.Handle(), item);
}

void AddFolderItems(const Store& store, platform::FileSystem& files, const std::string& key_name,
                    const std::string& folder) {
  if (folder.empty()) return;
  const auto listing = files.ListFiles(folder);
  if (!listing) return;  // an unreadable folder adds nothing; the rest is still saved
  for (const platform::FileEntry& file : *listing) {
    if ((file.attributes & platform::kHiddenAttribute) != 0) continue;
    const std::string item = PopupItemName(file.name);
    const ScopedKey item_key(store.Registry(), Root::CurrentUser, PopupItemKey(key_name, item),
                             true);
    item_key.WriteText(item, folder + "\\" + file.name);
  }
}

}  // namespace

std::vector<KeyMark> ReadKeyMarks(const Store& store, std::span<const std::string> key_names) {
  std::vector<KeyMark> marks(key_names.size());
  const ScopedKey commands(store.Registry(), Root::CurrentUser, kCommandKey, false);
  const ScopedKey reserved(store.Registry(), Root::LocalMachine, kReservedKeysKey, false);
  for (std::size_t i = 0; i < key_names.size(); ++i) {
    const std::optional<std::string> command = commands.ReadText(key_names[i]);
    marks[i].assigned = command.has_value();
    marks[i].popup = command && IsPopupCommand(*command);
    marks[i].reserved =
        reserved.QuerySize(ReservedValueName(key_names[i]), nullptr) == platform::kSuccess;
  }
  return marks;
}

void ClearAssignment(const Store& store, const std::string& key_name) {
  const std::string command = store.ReadText(kCommandKey, key_name).value_or("");
  if (IsPopupCommand(command)) ClearPopupItems(store, key_name);
  store.DeleteValue(kCommandKey, key_name);
  store.WriteEmptyPlaceholder(kDescriptionKey, key_name, KeyMode::OpenExisting);
  store.WriteEmptyPlaceholder(kDirectoryKey, key_name, KeyMode::OpenExisting);
}

void SavePopupList(const Store& store, platform::FileSystem& files, const PopupListSave& list) {
  {
    const ScopedKey list_key(store.Registry(), Root::CurrentUser, PopupListKey(list.key_name),
                             true);
    list_key.WriteText(kFileCountValue, std::to_string(list.file_count));
  }
  AddFolderItems(store, files, list.key_name, list.folder);
  AddFolderItems(store, files, list.key_name, list.folder2);
  store.WriteText(kCommandKey, list.key_name, "@" + list.command_folder, KeyMode::CreateIfMissing);
  store.WriteText(kDescriptionKey, list.key_name, list.description, KeyMode::CreateIfMissing);
}

std::string PopupItemName(const std::string& file_name) {
  const std::size_t n = file_name.size();
  // A name that is nothing but "lnk" would be left empty: keep it whole.
  if (n > 4 && file_name.compare(n - 3, 3, "lnk") == 0) return file_name.substr(0, n - 4);
  return file_name;
}

bool ToggleOption(const Store& store, const std::string& value_name) {
  const ScopedKey config(store.Registry(), Root::CurrentUser, kConfigKey, false);
  const bool was_on = IsFlagOn(config.ReadText(value_name).value_or(""));
  config.Write(value_name, platform::kRegSz, EncodeFlag(!was_on));
  return !was_on;
}

}  // namespace keylark::store
