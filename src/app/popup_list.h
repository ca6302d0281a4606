// The popup list of a key: the menu built from the items stored under
// "prg\<key name>" and what choosing one of them does. The window side only
// turns a PopupMenuModel into a real menu and reports the chosen caption.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/key_bar_services.h"

namespace keylark::app {

// Shown below the header when a list holds no items at all.
inline constexpr const char* kEmptyPopupListText = "(Empty)";

struct PopupMenuItem {
  enum class Kind { Header, Separator, Item, EmptyNote };
  Kind kind = Kind::Item;
  std::string caption;
  bool checked = false;
  bool enabled = true;
  // For items: the position of the caption in PopupMenuModel::captions.
  std::optional<std::size_t> item_index;
  bool operator==(const PopupMenuItem&) const = default;
};

// The whole menu from top to bottom. It is built anew for every showing, so
// a shorter list never keeps items of a longer one.
struct PopupMenuModel {
  std::vector<PopupMenuItem> entries;
  std::vector<std::string> captions;

  // The caption of item i, or nothing for an index the menu does not have.
  std::optional<std::string> CaptionOf(std::size_t item_index) const;
};

// The item captions of a key's popup list, in the order the store enumerates
// the item subkeys; empty when the list key is missing.
std::vector<std::string> ReadPopupItems(const store::Store& store, const std::string& key_name);

// The menu for a key: the key name as a checked header that does nothing, a
// separator, then one entry per item (or a disabled note for an empty list).
PopupMenuModel MakePopupMenuModel(const std::string& key_name, std::vector<std::string> captions);

// Builds the current key's popup menu from the store.
PopupMenuModel BuildPopupMenu(const core::Session& session, const store::Store& store);

// What tells whether a key's popup list changed: whose list it is, how many
// items it has and how long the longest name is, and when the registry saw
// an item added or removed last.
struct PopupListStamp {
  std::string key_name;
  std::uint32_t items = 0;
  std::uint32_t longest_name = 0;
  std::uint64_t last_write_time = 0;
  bool operator==(const PopupListStamp&) const = default;
};

// Reads the current key's popup menu from the store for a showing, unless
// the list is still the one it gave last: reading a list of thousands of
// items takes thousands of registry calls, its stamp two.
class PopupListReader {
 public:
  // The current key's menu, or nothing when it is the one given last.
  std::optional<PopupMenuModel> ReadIfChanged(const core::Session& session,
                                              const store::Store& store);
  // The next read gives a menu, changed or not.
  void Forget() { stamp_.reset(); }

 private:
  std::optional<PopupListStamp> stamp_;
};

// How the menu kept from the last showing becomes the menu of this one. A
// platform menu copies all its entries for every entry added, so a list of
// thousands is cheap to show again only when its menu is kept: the entries
// that differ are rewritten where they stand and the new ones appended. A
// shorter list is built afresh, which costs what building it costs anyway.
struct PopupMenuUpdate {
  bool rebuild = false;              // start from an empty menu
  std::vector<std::size_t> rewrite;  // positions of the kept menu that change
  std::size_t append_from = 0;       // the entries from here on are appended
};
PopupMenuUpdate PlanPopupMenuUpdate(std::span<const PopupMenuItem> shown,
                                    std::span<const PopupMenuItem> wanted);

// Opens the target of the current key's item with this caption through the
// shell, then minimizes the key bar when "Minimize On Use" is on. An item
// whose subkey or target has disappeared since the menu was built does nothing.
void ChoosePopupItem(const KeyBarServices& services, const std::string& caption);

}  // namespace keylark::app
