#include "store/store_operations.h"

#include <vector>

#include "store/layout.h"

namespace keylark::store {
namespace {

bool IsPopupCommand(const std::string& command) { return !command.empty() && command[0] == '@'; }

// The subkey names of a key, all read before anything is changed.
std::vector<std::string> CollectSubkeyNames(const ScopedKey& list) {
  platform::Registry& registry = list.Registry();
  std::uint32_t count = 0;
  std::uint32_t longest = 0;
  std::vector<std::string> names;
  if (registry.QueryInfoKey(list.Handle(), &count, &longest) != platform::kSuccess) return names;
  std::vector<char> buffer(static_cast<std::size_t>(longest) + 100);
  for (std::uint32_t i = 0; i < count; ++i) {
    buffer.assign(buffer.size(), '\0');
    if (registry.EnumKey(list.Handle(), i, buffer.data(),
                         static_cast<std::uint32_t>(buffer.size())) != platform::kSuccess) {
      continue;
    }
    names.push_back(
        DecodeText(reinterpret_cast<const std::uint8_t*>(buffer.data()), buffer.size()));
  }
  return names;
}

void ClearPopupItems(const Store& store, const std::string& key_name) {
  const ScopedKey list(store.Registry(), Root::CurrentUser, PopupListKey(key_name), false);
  if (!list.IsOpen()) return;
  const std::vector<std::string> items = CollectSubkeyNames(list);
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

KeyMarks ComputeKeyMarks(const app::Session& session, const Store& store) {
  KeyMarks marks;
  const ScopedKey commands(store.Registry(), Root::CurrentUser, kCommandKey, false);
  const ScopedKey reserved(store.Registry(), Root::LocalMachine, kReservedKeysKey, false);
  for (std::size_t i = 0; i < marks.size(); ++i) {
    const std::string& key_name = session.FnKeyNames[i];
    const std::optional<std::string> command = commands.ReadText(key_name);
    if (!command) {
      marks[i].color = app::kUnassignedColor;
    } else {
      marks[i].color = app::kAssignedColor;
      marks[i].popup_mark =
          store.ReadFlag(kConfigKey, kMarkPopupsValue) && IsPopupCommand(*command);
    }
    if (reserved.QuerySize(app::ReserveValueName(key_name), nullptr) == platform::kSuccess) {
      marks[i].color = app::kReservedColor;
    }
  }
  return marks;
}

void ClearKeyAssignment(app::Session& session, const Store& store) {
  const std::string& key_name = session.CurrentKeyName;
  const std::string command = store.ReadText(kCommandKey, key_name).value_or("");
  if (IsPopupCommand(command)) ClearPopupItems(store, key_name);
  store.DeleteValue(kCommandKey, key_name);
  store.WriteEmptyPlaceholder(kDescriptionKey, key_name, KeyMode::OpenExisting);
  store.WriteEmptyPlaceholder(kDirectoryKey, key_name, KeyMode::OpenExisting);
  session.PrevCommand.clear();
  session.PrevDirectory.clear();
  session.PrevDescription.clear();
}

void SavePopupList(const app::Session& session, const Store& store, platform::FileSystem& files,
                   const std::string& folder, const std::string& folder2) {
  const std::string& key_name = session.CurrentKeyName;
  {
    const ScopedKey list(store.Registry(), Root::CurrentUser, PopupListKey(key_name), true);
    list.WriteText(kFileCountValue, std::to_string(session.ExplorerItemCount));
  }
  AddFolderItems(store, files, key_name, folder);
  AddFolderItems(store, files, key_name, folder2);
  store.WriteText(kCommandKey, key_name, "@" + session.ExplorerFolder, KeyMode::CreateIfMissing);
  store.WriteText(kDescriptionKey, key_name, session.ExplorerCaption, KeyMode::CreateIfMissing);
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
