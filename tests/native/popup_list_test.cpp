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
  using Kind = PopupMenuItem::Kind;
  using Entries = std::vector<PopupMenuItem>;
  const PopupMenuItem separator{Kind::Separator};
  world_.AddPopupItem("Fn-A", "Calculator", "C:\\Menu\\Calculator.lnk");
  world_.AddPopupItem("Fn-A", "Notepad", "C:\\Menu\\Notepad.lnk");
  const PopupMenuModel model = Build();
  EXPECT_EQ(model.entries, (Entries{{Kind::Header, "Fn-A", true},
                                    separator,
                                    {Kind::Item, "Calculator", false, true, 0},
                                    {Kind::Item, "Notepad", false, true, 1}}));
  EXPECT_EQ(model.CaptionOf(1), "Notepad");
  world_.Put(fakes::layout::Prg("Fn-B"), "FileCount", "0");
  for (const char* key : {"Fn-B", "Fn-C"}) {  // an empty list, and no list key at all
    world_.SelectKey(key, 6);
    EXPECT_EQ(Build().entries, (Entries{{Kind::Header, key, true},
                                        separator,
                                        {Kind::EmptyNote, kEmptyPopupListText, false, false}}))
        << key;
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
      MakePopupMenuModel("Fn-A", {"a", "b", "c", "d", "e"}),
      MakePopupMenuModel("Fn-A", {"a", "b", "c"}),
      MakePopupMenuModel("Fn-A", {}),
      MakePopupMenuModel("Fn-B", {"a", "b", "c", "d", "e"}),
      MakePopupMenuModel("Fn-B", {"a", "x", "c", "y", "e"}),
      MakePopupMenuModel("Fn-B", {"a", "b", "c", "d", "e", "f", "g", "h"}),
      MakePopupMenuModel("Fn-A", {"a"}),
      PopupMenuModel{},  // the first showing after a start has no menu to keep
  };
  for (const PopupMenuModel& before : lists) {
    for (const PopupMenuModel& after : lists) {
      const PopupMenuUpdate update = PlanPopupMenuUpdate(before.entries, after.entries);
      EXPECT_EQ(Apply(before.entries, update, after.entries), after.entries);
    }
    const PopupMenuUpdate again = PlanPopupMenuUpdate(before.entries, before.entries);
    EXPECT_TRUE(again.rewrite.empty() && !again.rebuild) << "the same list again changes nothing";
    EXPECT_EQ(again.append_from, before.entries.size());
  }
}

TEST_F(PopupListTest, AListIsReadAgainExactlyWhenItsItemsOrItsKeyChanged) {
  PopupListReader reader;
  world_.AddPopupItem("Fn-A", "Notepad", "C:\\Menu\\Notepad.lnk");
  world_.AddPopupItem("Fn-B", "Calc", "C:\\Menu\\Calc.lnk");
  const auto captions = [&]() -> std::optional<Names> {
    const std::optional<PopupMenuModel> model = reader.ReadIfChanged(world_.session, world_.store);
    return model ? std::optional<Names>(model->captions) : std::nullopt;
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
