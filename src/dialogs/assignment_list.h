// The Function Key Assignments window's decisions: the rows that list every
// key with its description, popup lists expanded under their keys, and what
// picking a row means.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/key_bar_host.h"
#include "core/session.h"
#include "store/registry_store.h"

namespace keylark::dialogs {

// The pictures of the rows, numbered as the window's image list holds them.
enum class RowImage {
  Application = 1,  // a direct assignment, or a key without command
  PopupFolder = 2,  // a popup list
  ListItem = 3,     // an item of a popup list (expanded view only)
};

struct ListRow {
  std::string key;  // the key name; empty on an item row
  std::string text;
  RowImage image = RowImage::Application;

  friend bool operator==(const ListRow&, const ListRow&) = default;
};

// One row per key that is not reserved, in key-table order: five blanks and
// the key name, then five blanks and the description when it has one. With
// `expanded`, the items of each popup key follow its row, indented by 25
// blanks, in the order the store enumerates them.
std::vector<ListRow> FnKeyList(const store::Store& store, std::span<const std::string> key_names,
                               bool expanded);

class AssignmentListModel {
 public:
  AssignmentListModel(core::Session& session, const store::Store& store)
      : session_(session), store_(store) {}

  // The view to start in: expanded or not, or nothing when "fIcon" cannot
  // be read (the list then starts empty with the box unchecked).
  std::optional<bool> InitialView() const;

  // The box clicked: the choice is stored at once and the rows are made anew.
  std::vector<ListRow> SetExpanded(bool expanded);
  std::vector<ListRow> Rows(bool expanded) const;

  // A row picked: a key row makes its key current (and looks up whether it
  // has a command); an item row leaves no current key. True when Edit... may
  // act on the pick.
  bool Pick(const std::string& row_key);

  // Whether a double click opens the Assignment Type dialog.
  bool CanOpenPicked() const { return !session_.CurrentKeyName.empty(); }

 private:
  core::Session& session_;
  const store::Store& store_;
};

}  // namespace keylark::dialogs
