#include "app/popup_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/key_bar_world.h"

namespace keylark::app {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Kind = PopupMenuItem::Kind;

class PopupListTest : public fakes::WorldTest {
 protected:
  void SetUp() override { world_.SelectKey("Fn-A", 6); }

  void AddItems(const std::vector<std::string>& captions) {
    for (const std::string& caption : captions) {
      world_.AddPopupItem("Fn-A", caption, "C:\\Menu\\" + caption + ".lnk");
    }
  }
};

TEST_F(PopupListTest, TheMenuIsHeadedByTheCheckedKeyNameAndASeparator) {
  AddItems({"Calculator", "Notepad"});
  const PopupMenuModel model = BuildPopupMenu(world_.session, world_.store);
  ASSERT_EQ(model.entries.size(), 4U);
  EXPECT_EQ(model.entries[0].caption, "Fn-A");
  EXPECT_TRUE(model.entries[0].checked && !model.entries[0].item_index);
  EXPECT_EQ(model.entries[1].kind, Kind::Separator);
  for (std::size_t i = 2; i < 4; ++i) {
    ASSERT_TRUE(model.entries[i].enabled && model.entries[i].item_index);
    EXPECT_EQ(model.CaptionOf(*model.entries[i].item_index), model.entries[i].caption);
  }
}

TEST_F(PopupListTest, AListWithoutItemsShowsADisabledNote) {
  world_.Put(fakes::layout::Prg("Fn-A"), "FileCount", "0");
  for (const char* key : {"Fn-A", "Fn-B"}) {  // an empty list, and no list key at all
    world_.SelectKey(key, 6);
    const PopupMenuModel model = BuildPopupMenu(world_.session, world_.store);
    ASSERT_EQ(model.entries.size(), 3U) << key;
    EXPECT_EQ(model.entries[0].caption, key);
    EXPECT_EQ(model.entries[2].caption, kEmptyPopupListText);
    EXPECT_FALSE(model.entries[2].enabled || model.entries[2].item_index);
  }
}

TEST_F(PopupListTest, ChoosingAnItemOpensItsTargetUnchangedThenMinimizesWhenAsked) {
  world_.AddPopupItem("Fn-A", "Editor", "C:\\Program Files\\Edit\\edit.exe -x");
  world_.SetMinimizeOnUse("0");
  ChoosePopupItem(world_.services, "Editor");
  world_.SetMinimizeOnUse("1");
  ChoosePopupItem(world_.services, "Editor");
  const std::string open = "shell-open C:\\Program Files\\Edit\\edit.exe -x";
  EXPECT_THAT(world_.log, ElementsAre(open, open, "state minimized"));
}

TEST_F(PopupListTest, AnItemThatVanishedSinceTheMenuWasBuiltDoesNothing) {
  world_.SetMinimizeOnUse("1");
  AddItems({"Gone"});
  world_.RemovePopupItem("Fn-A", "Gone");
  ChoosePopupItem(world_.services, "Gone");
  // The subkey is there but its target value is not.
  world_.Put(fakes::layout::PrgItem("Fn-A", "Hollow"), "Other", "C:\\x.lnk");
  ChoosePopupItem(world_.services, "Hollow");
  EXPECT_THAT(world_.log, IsEmpty());
  EXPECT_EQ(world_.host.state, core::WindowState::Normal);
}

}  // namespace
}  // namespace keylark::app
