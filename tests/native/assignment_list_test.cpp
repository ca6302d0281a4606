#include "dialogs/assignment_list.h"

#include <gtest/gtest.h>

#include "fakes/key_bar_world.h"

namespace keylark::dialogs {
namespace {

const std::string k5(5, ' ');
const std::string k25(25, ' ');

namespace layout = fakes::layout;

using AssignmentListTest = fakes::WorldTest;

TEST_F(AssignmentListTest, RowsFollowTheKeyTableWithDescriptionsAndPopupItems) {
  world_.Put(layout::kCmd, "Fn-1", "C:\\run.exe");       // direct, no description
  world_.Put(layout::kCmd, "Fn-A", "@C:\\Menu\\Games");  // popup with items
  world_.Put(layout::kDesc, "Fn-A", "Games");
  world_.AddPopupItem("Fn-A", "Solitaire", "C:\\Menu\\Games\\Solitaire.lnk");
  world_.AddPopupItem("Fn-A", "Chess", "C:\\Menu\\Games\\Chess.lnk");
  world_.Put(layout::Prg("Fn-A"), "FileCount", "2");     // a value: never a row
  world_.Put(layout::kDesc, "Fn-B", "Only described");   // description without command
  world_.Put(layout::kCmd, "Fn-C", "@C:\\Empty");        // popup without a list key
  world_.Put(layout::kCmd, "Fn-D", "C:\\reserved.exe");  // reserved: never listed
  world_.Reserve("D");

  const std::vector<ListRow> rows = FnKeyList(world_.store, world_.session.FnKeyNames, true);
  ASSERT_EQ(rows.size(), 23U + 2U);
  EXPECT_EQ(rows[0], (ListRow{"Fn-1", k5 + "Fn-1", RowImage::Application}));
  EXPECT_EQ(rows[6], (ListRow{"Fn-A", k5 + "Fn-A" + k5 + "Games", RowImage::PopupFolder}));
  EXPECT_EQ(rows[7], (ListRow{"", k25 + "Chess", RowImage::ListItem}));
  EXPECT_EQ(rows[8], (ListRow{"", k25 + "Solitaire", RowImage::ListItem}));
  EXPECT_EQ(rows[9], (ListRow{"Fn-B", k5 + "Fn-B" + k5 + "Only described", RowImage::Application}));
  EXPECT_EQ(rows[10], (ListRow{"Fn-C", k5 + "Fn-C", RowImage::PopupFolder}));
  EXPECT_EQ(rows[11], (ListRow{"Fn-E", k5 + "Fn-E", RowImage::Application})) << "Fn-D is reserved";
  EXPECT_EQ(rows.back().key, "Fn-Z");

  const std::vector<ListRow> collapsed = FnKeyList(world_.store, world_.session.FnKeyNames, false);
  EXPECT_EQ(collapsed.size(), 23U);
  EXPECT_EQ(collapsed[7].key, "Fn-B");
}

TEST_F(AssignmentListTest, TheExpandChoiceIsStoredAndPickingARowSetsTheCurrentKey) {
  AssignmentListModel model(world_.session, world_.store);
  EXPECT_FALSE(model.InitialView()) << "fIcon missing: an empty list";
  world_.Put(layout::kCfg, "fIcon", "0");
  EXPECT_EQ(model.InitialView(), false);
  model.SetExpanded(true);
  EXPECT_EQ(world_.Text(layout::kCfg, "fIcon"), "1");
  EXPECT_EQ(model.InitialView(), true);

  world_.Put(layout::kCmd, "Fn-Q", "q.exe");
  EXPECT_TRUE(model.Pick("Fn-Q"));
  EXPECT_EQ(world_.session.CurrentKeyName, "Fn-Q");
  EXPECT_EQ(world_.session.CurrentKeyLookup, 0);
  EXPECT_TRUE(model.CanOpenPicked());
  EXPECT_FALSE(model.Pick(""));  // an item row
  EXPECT_FALSE(model.CanOpenPicked());
  EXPECT_NE(world_.session.CurrentKeyLookup, 0);
}

}  // namespace
}  // namespace keylark::dialogs
