#include "control/store_snapshot.h"

#include "store/layout.h"

namespace keylark::control {
namespace {

using store::Root;
using store::ScopedKey;
using store::Status;

std::optional<StoredValue> ReadValue(const ScopedKey& key, const std::string& name) {
  std::uint32_t type = 0;
  std::optional<store::Bytes> data = key.ReadBytes(name, &type);
  if (!data) return std::nullopt;
  return StoredValue{type, std::move(*data)};
}

std::optional<StoredValue> ReadValue(const store::Store& store, const char* path,
                                     const std::string& name) {
  const ScopedKey key(store.Registry(), Root::CurrentUser, path, false);
  return ReadValue(key, name);
}

std::optional<PopupListRecord> ReadPopupList(const store::Store& store,
                                             const std::string& key_name) {
  const ScopedKey list(store.Registry(), Root::CurrentUser, store::PopupListKey(key_name), false);
  if (!list.IsOpen()) return std::nullopt;
  PopupListRecord record{ReadValue(list, store::kFileCountValue), {}};
  for (const std::string& name : list.SubkeyNames()) {
    const ScopedKey item(store.Registry(), Root::CurrentUser, store::PopupItemKey(key_name, name),
                         false);
    record.items.push_back(PopupItemRecord{name, ReadValue(item, name)});
  }
  return record;
}

// Keeps the first failure of a sequence of registry calls. Removing what is
// not there already is no failure.
class FirstFailure {
 public:
  void Note(Status status) {
    if (status_ == platform::kSuccess && status != platform::kFileNotFound) status_ = status;
  }
  Status status() const { return status_; }

 private:
  Status status_ = platform::kSuccess;
};

// Writes a value, or deletes it when the record has none; a key is only
// made for a value that is written.
Status Replace(const store::Store& store, const std::string& path, const std::string& name,
               const std::optional<StoredValue>& value) {
  const ScopedKey key(store.Registry(), Root::CurrentUser, path, value.has_value());
  if (value) return key.Write(name, value->type, value->data);
  return key.DeleteValue(name);
}

Status ReplacePopupList(const store::Store& store, const KeyRecord& record) {
  FirstFailure result;
  const std::string list_path = store::PopupListKey(record.key_name);
  {
    const ScopedKey old_list(store.Registry(), Root::CurrentUser, list_path, false);
    for (const std::string& item : old_list.SubkeyNames()) {
      result.Note(store.Registry().DeleteKey(old_list.Handle(), item));
    }
  }
  if (!record.list) {
    const ScopedKey lists(store.Registry(), Root::CurrentUser, store::kPopupListsKey, false);
    if (lists.IsOpen()) result.Note(store.Registry().DeleteKey(lists.Handle(), record.key_name));
    return result.status();
  }
  // The list key is made even when it holds nothing: it existed when exported.
  const ScopedKey list(store.Registry(), Root::CurrentUser, list_path, true);
  result.Note(list.OpenStatus());
  if (const std::optional<StoredValue>& count = record.list->file_count) {
    result.Note(list.Write(store::kFileCountValue, count->type, count->data));
  } else {
    result.Note(list.DeleteValue(store::kFileCountValue));
  }
  for (const PopupItemRecord& item : record.list->items) {
    const std::string item_path = store::PopupItemKey(record.key_name, item.name);
    const ScopedKey made(store.Registry(), Root::CurrentUser, item_path, true);
    result.Note(made.OpenStatus());
    if (item.path) result.Note(made.Write(item.name, item.path->type, item.path->data));
  }
  return result.status();
}

}  // namespace

KeyRecord ReadKeyRecord(const store::Store& store, const std::string& key_name) {
  return KeyRecord{key_name,
                   ReadValue(store, store::kCommandKey, key_name),
                   ReadValue(store, store::kDescriptionKey, key_name),
                   ReadValue(store, store::kDirectoryKey, key_name),
                   ReadValue(store, store::kSwitchFlagKey, key_name),
                   ReadPopupList(store, key_name)};
}

Status ReplaceKeyRecord(const store::Store& store, const KeyRecord& record) {
  FirstFailure result;
  result.Note(Replace(store, store::kCommandKey, record.key_name, record.command));
  result.Note(Replace(store, store::kDescriptionKey, record.key_name, record.description));
  result.Note(Replace(store, store::kDirectoryKey, record.key_name, record.directory));
  result.Note(Replace(store, store::kSwitchFlagKey, record.key_name, record.switch_flag));
  result.Note(ReplacePopupList(store, record));
  return result.status();
}

}  // namespace keylark::control
