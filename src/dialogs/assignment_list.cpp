#include "dialogs/assignment_list.h"

#include "store/layout.h"
#include "store/store_operations.h"

namespace keylark::dialogs {
namespace {

const std::string kKeyIndent(5, ' ');
const std::string kItemIndent(25, ' ');

ListRow KeyRow(const std::string& key, const store::KeyMark& mark, const std::string& description) {
  ListRow row;
  row.key = key;
  row.text = kKeyIndent + key;
  if (!description.empty()) row.text += kKeyIndent + description;
  row.image = mark.popup ? RowImage::PopupFolder : RowImage::Application;
  return row;
}

void AddItemRows(const store::Store& store, const std::string& key, std::vector<ListRow>& rows) {
  const store::ScopedKey list(store.Registry(), store::Root::CurrentUser, store::PopupListKey(key),
                              false);
  for (const std::string& item : list.SubkeyNames()) {
    rows.push_back(ListRow{"", kItemIndent + item, RowImage::ListItem});
  }
}

}  // namespace

std::vector<ListRow> FnKeyList(const store::Store& store, std::span<const std::string> key_names,
                               bool expanded) {
  const std::vector<store::KeyMark> marks = store::ReadKeyMarks(store, key_names);
  const store::ScopedKey descriptions(store.Registry(), store::Root::CurrentUser,
                                      store::kDescriptionKey, false);
  std::vector<ListRow> rows;
  for (std::size_t i = 0; i < key_names.size(); ++i) {
    if (marks[i].reserved) continue;  // reserved keys are never listed
    const std::string& key = key_names[i];
    rows.push_back(KeyRow(key, marks[i], descriptions.ReadText(key).value_or("")));
    if (expanded && marks[i].popup) AddItemRows(store, key, rows);
  }
  return rows;
}

std::optional<bool> AssignmentListModel::InitialView() const {
  const std::optional<std::string> stored =
      store_.ReadText(store::kConfigKey, store::kExpandListsValue);
  if (!stored) return std::nullopt;
  return store::IsFlagOn(*stored);
}

std::vector<ListRow> AssignmentListModel::SetExpanded(bool expanded) {
  store_.WriteFlag(store::kConfigKey, store::kExpandListsValue, expanded,
                   store::KeyMode::OpenExisting);
  return Rows(expanded);
}

std::vector<ListRow> AssignmentListModel::Rows(bool expanded) const {
  return FnKeyList(store_, session_.FnKeyNames, expanded);
}

bool AssignmentListModel::Pick(const std::string& row_key) {
  session_.CurrentKeyName = row_key;
  if (const auto key = core::FindKeyByName(row_key)) session_.CurrentKeyIndex = key->index;
  session_.CurrentKeyLookup = static_cast<std::int32_t>(
      store_.QueryValueSize(store::Root::CurrentUser, store::kCommandKey, row_key));
  return !row_key.empty();
}

}  // namespace keylark::dialogs
