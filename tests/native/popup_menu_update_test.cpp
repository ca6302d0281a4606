// The popup list's menu is kept between showings: the list is read again
// only when the store changed it, whatever the list was before the kept menu
// carried through the update shows exactly the new list, and a list shown
// again unchanged costs no menu change at all.
#include <gtest/gtest.h>

#include "app/popup_list.h"
#include "fakes/key_bar_world.h"

namespace keylark::app {
namespace {

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

class PopupListReading : public fakes::WorldTest {};

TEST_F(PopupListReading, AListIsReadAgainExactlyWhenItsItemsOrItsKeyChanged) {
  PopupListReader reader;
  world_.AddPopupItem("Fn-A", "Notepad", "C:\\Menu\\Notepad.lnk");
  world_.AddPopupItem("Fn-B", "Calc", "C:\\Menu\\Calc.lnk");
  world_.SelectKey("Fn-A", 6);
  const auto captions = [&]() -> std::optional<std::vector<std::string>> {
    const std::optional<PopupMenuModel> model = reader.ReadIfChanged(world_.session, world_.store);
    if (!model) return std::nullopt;
    return model->captions;
  };
  using Names = std::vector<std::string>;
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
