#include "app/popup_list.h"

#include "launch/command_line.h"
#include "store/layout.h"

namespace keylark::app {
namespace {

PopupMenuItem Header(const std::string& key_name) {
  PopupMenuItem header;
  header.kind = PopupMenuItem::Kind::Header;
  header.caption = key_name;
  header.checked = true;
  return header;
}

PopupMenuItem Separator() {
  PopupMenuItem separator;
  separator.kind = PopupMenuItem::Kind::Separator;
  return separator;
}

PopupMenuItem EmptyNote() {
  PopupMenuItem note;
  note.kind = PopupMenuItem::Kind::EmptyNote;
  note.caption = kEmptyPopupListText;
  note.enabled = false;
  return note;
}

PopupMenuItem Item(const std::string& caption, std::size_t index) {
  PopupMenuItem item;
  item.caption = caption;
  item.item_index = index;
  return item;
}

}  // namespace

std::optional<std::string> PopupMenuModel::CaptionOf(std::size_t item_index) const {
  if (item_index >= captions.size()) return std::nullopt;
  return captions[item_index];
}

std::vector<std::string> ReadPopupItems(const store::Store& store, const std::string& key_name) {
  const store::ScopedKey list(store.Registry(), platform::Root::CurrentUser,
                              store::PopupListKey(key_name), false);
  return list.SubkeyNames();
}

PopupMenuModel MakePopupMenuModel(const std::string& key_name, std::vector<std::string> captions) {
  PopupMenuModel model;
  model.captions = std::move(captions);
  model.entries.push_back(Header(key_name));
  model.entries.push_back(Separator());
  if (model.captions.empty()) model.entries.push_back(EmptyNote());
  for (std::size_t index = 0; index < model.captions.size(); ++index) {
    model.entries.push_back(Item(model.captions[index], index));
  }
  return model;
}

PopupMenuModel BuildPopupMenu(const core::Session& session, const store::Store& store) {
  return MakePopupMenuModel(session.CurrentKeyName, ReadPopupItems(store, session.CurrentKeyName));
}

namespace {

std::optional<PopupListStamp> ReadStamp(const store::ScopedKey& list, const std::string& key_name) {
  PopupListStamp stamp{key_name};
  platform::Registry& registry = list.Registry();
  if (!list.IsOpen() ||
      registry.QueryInfoKey(list.Handle(), &stamp.items, &stamp.longest_name) !=
          platform::kSuccess ||
      registry.QueryLastWriteTime(list.Handle(), &stamp.last_write_time) != platform::kSuccess) {
    return std::nullopt;
  }
  return stamp;
}

}  // namespace

std::optional<PopupMenuModel> PopupListReader::ReadIfChanged(const core::Session& session,
                                                             const store::Store& store) {
  const std::string& key_name = session.CurrentKeyName;
  const store::ScopedKey list(store.Registry(), platform::Root::CurrentUser,
                              store::PopupListKey(key_name), false);
  std::optional<PopupListStamp> stamp = ReadStamp(list, key_name);
  if (stamp && stamp == stamp_) return std::nullopt;
  // Stamped before the names are read: a change made meanwhile shows next time.
  stamp_ = std::move(stamp);
  return MakePopupMenuModel(key_name, list.SubkeyNames());
}

PopupMenuUpdate PlanPopupMenuUpdate(std::span<const PopupMenuItem> shown,
                                    std::span<const PopupMenuItem> wanted) {
  PopupMenuUpdate update;
  if (wanted.size() < shown.size()) {
    update.rebuild = true;
    return update;
  }
  for (std::size_t position = 0; position < shown.size(); ++position) {
    if (shown[position] != wanted[position]) update.rewrite.push_back(position);
  }
  update.append_from = shown.size();
  return update;
}

void ChoosePopupItem(const KeyBarServices& services, const std::string& caption) {
  const store::ScopedKey item(services.store.Registry(), platform::Root::CurrentUser,
                              store::PopupItemKey(services.session.CurrentKeyName, caption), false);
  if (!item.IsOpen()) return;
  const std::optional<std::string> target = item.ReadText(caption);
  if (!target) return;
  const bool minimize_on_use =
      services.store.ReadFlag(store::kConfigKey, store::kMinimizeOnUseValue);
  // The item is opened as it is: no arguments, no directory, no switching.
  launch::OpenThroughShell(services.shell, *target, "");
  if (minimize_on_use) services.window.SetState(core::WindowState::Minimized);
}

}  // namespace keylark::app
