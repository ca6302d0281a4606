// The popup list of a key: its menu, what choosing an item does, and how the
// menu kept between showings is read again and brought up to date.
#include "app/popup_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/key_bar_world.h"

namespace keylark::app {
namespace {

using ::testing::ElementsAre;
using Names = std::vector<std::string>;

class PopupListTest : public fakes::WorldTest {
 protected:
  void SetUp() override { world_.SelectKey("Fn-A", 6); }
  PopupMenuModel Build() { return BuildPopupMenu(world_.session, world_.store); }
};

TEST_F(PopupListTest, TheMenuIsHeadedByTheCheckedKeyNameOrNotesThatTheListIsEmpty) {
  world_.AddPopupItem("Fn-A", "Calculator", "C:\\Menu\\Calculator.lnk");
  world_.AddPopupItem("Fn-A", "Notepad", "C:\\Menu\\Notepad.lnk");
  PopupMenuModel model = Build();
  ASSERT_EQ(model.entries.size(), 4U);
  EXPECT_EQ(model.entries[0].caption, "Fn-A");
  EXPECT_TRUE(model.entries[0].checked && !model.entries[0].item_index);
  EXPECT_EQ(model.entries[1].kind, PopupMenuItem::Kind::Separator);
  for (std::size_t i = 2; i < 4; ++i) {
    ASSERT_TRUE(model.entries[i].enabled && model.entries[i].item_index);
    EXPECT_EQ(model.CaptionOf(*model.entries[i].item_index), model.entries[i].caption);
  }
  world_.Put(fakes::layout::Prg("Fn-B"), "FileCount", "0");
  for (const char* key : {"Fn-B", "Fn-C"}) {  // an empty list, and no list key at all
    world_.SelectKey(key, 6);
    model = Build();
    ASSERT_EQ(model.entries.size(), 3U) << key;
    EXPECT_EQ(model.entries[0].caption, key);
    EXPECT_EQ(model.entries[2].caption, kEmptyPopupListText);
    EXPECT_FALSE(model.entries[2].enabled || model.entries[2].item_index);
  }
}

// An item gone since the menu was built, or without its target value, does nothing.
TEST_F(PopupListTest, ChoosingAnItemOpensItsTargetUnchangedThenMinimizesWhenAsked) {
  world_.AddPopupItem("Fn-A", "Editor", "C:\\Program Files\\Edit\\edit.exe -x");
  world_.SetMinimizeOnUse("0");
  ChoosePopupItem(world_.services, "Editor");
  world_.SetMinimizeOnUse("1");
  ChoosePopupItem(world_.services, "Editor");
  world_.AddPopupItem("Fn-A", "Gone", "C:\\Menu\\Gone.lnk");
  world_.RemovePopupItem("Fn-A", "Gone");
  ChoosePopupItem(world_.services, "Gone");
  world_.Put(fakes::layout::PrgItem("Fn-A", "Hollow"), "Other", "C:\\x.lnk");
  ChoosePopupItem(world_.services, "Hollow");
  const std::string open = "shell-open C:\\Program Files\\Edit\\edit.exe -x";
  EXPECT_THAT(world_.log, ElementsAre(open, open, "state minimized"));
}

std::vector<std::string> Items(int count, const std::string& prefix = "Item ") {
  std::vector<std::string> items;
  for (int i = 0; i < count; ++i) items.push_back(prefix + std::to_string(i));
  return items;
}

// What a menu holds after the update is carried out on it, entry by entry.
std::vector<PopupMenuItem> Apply(std::vector<PopupMenuItem> menu, const PopupMenuUpdate& update,
                                 const std::vector<PopupMenuItem>& wanted) {
  if (update.rebuild) menu.clear();
  for (const std::size_t position : update.rewrite) menu.at(position) = wanted.at(position);
  for (std::size_t position = update.append_from; position < wanted.size(); ++position) {
    EXPECT_EQ(menu.size(), position) << "appended where the menu ends";
    menu.push_back(wanted[position]);
  }
  return menu;
}

TEST(PopupMenuUpdate, TheKeptMenuEndsUpShowingExactlyTheNewList) {
  const std::vector<PopupMenuModel> lists = {
      MakePopupMenuModel("Fn-A", Items(5)),
      MakePopupMenuModel("Fn-A", Items(3)),
      MakePopupMenuModel("Fn-A", {}),
      MakePopupMenuModel("Fn-B", Items(5)),
      MakePopupMenuModel("Fn-B", Items(5, "X")),
      MakePopupMenuModel("Fn-B", Items(8)),
      MakePopupMenuModel("Fn-A", Items(1)),
  };
  for (const PopupMenuModel& before : lists) {
    for (const PopupMenuModel& after : lists) {
      const PopupMenuUpdate update = PlanPopupMenuUpdate(before.entries, after.entries);
      EXPECT_EQ(Apply(before.entries, update, after.entries), after.entries);
    }
    const PopupMenuUpdate again = PlanPopupMenuUpdate(before.entries, before.entries);
    EXPECT_TRUE(again.rewrite.empty() && !again.rebuild) << "the same list again changes nothing";
    EXPECT_EQ(again.append_from, before.entries.size());
    // The first showing after a start has no menu to keep.
    const PopupMenuUpdate first = PlanPopupMenuUpdate({}, before.entries);
    EXPECT_EQ(Apply({}, first, before.entries), before.entries);
  }
}

TEST_F(PopupListTest, AListIsReadAgainExactlyWhenItsItemsOrItsKeyChanged) {
  PopupListReader reader;
  world_.AddPopupItem("Fn-A", "Notepad", "C:\\Menu\\Notepad.lnk");
  world_.AddPopupItem("Fn-B", "Calc", "C:\\Menu\\Calc.lnk");
  const auto captions = [&]() -> std::optional<Names> {
    const std::optional<PopupMenuModel> model = reader.ReadIfChanged(world_.session, world_.store);
    if (!model) return std::nullopt;
    return model->captions;
  };
  EXPECT_EQ(captions(), Names{"Notepad"}) << "the first showing reads the list";
  EXPECT_EQ(captions(), std::nullopt);

  world_.AddPopupItem("Fn-A", "Paint", "C:\\Menu\\Paint.lnk");
  EXPECT_EQ(captions(), (Names{"Notepad", "Paint"}));
  world_.AddPopupItem("Fn-A", "Paint", "C:\\Other\\Paint.lnk");
  EXPECT_EQ(captions(), std::nullopt) << "a new target is read when the item is chosen";
  world_.RemovePopupItem("Fn-A", "Notepad");
  world_.AddPopupItem("Fn-A", "Wordpad", "C:\\Menu\\Wordpad.lnk");
  EXPECT_EQ(captions(), (Names{"Paint", "Wordpad"}));

  world_.SelectKey("Fn-B", 7);
  EXPECT_EQ(captions(), Names{"Calc"});
  world_.SelectKey("Fn-C", 8);
  EXPECT_EQ(captions(), Names{});
  EXPECT_EQ(captions(), Names{}) << "a missing list has no stamp to trust";
  world_.SelectKey("Fn-B", 7);
  reader.Forget();
  EXPECT_EQ(captions(), Names{"Calc"});
}

}  // namespace
}  // namespace keylark::app
