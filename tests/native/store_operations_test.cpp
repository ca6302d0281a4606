#include "store/store_operations.h"

#include "core/assignment.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/fake_filesystem.h"
#include "fakes/key_bar_world.h"

namespace keylark::store {
namespace {

namespace layout = fakes::layout;

class StoreOperationsTest : public fakes::WorldTest {
 protected:
  std::vector<std::string> Items(const std::string& key_name) {
    return ScopedKey(world_.registry, Root::CurrentUser, layout::Prg(key_name), false)
        .SubkeyNames();
  }
  std::optional<std::string> ItemTarget(const std::string& key_name, const std::string& item) {
    return world_.Text(layout::PrgItem(key_name, item), item);
  }
  // Saves a popup list for the current key as the Application Explorer does.
  void SavePopupList(const std::string& key, std::int16_t count, const std::string& folder,
                     const std::string& folder2 = "") {
    session_.CurrentKeyName = key;
    session_.ExplorerItemCount = count;
    session_.ExplorerFolder = folder;
    core::SavePopupList(session_, world_.store, files_, folder, folder2);
  }

  fakes::FakeFileSystem files_;
  core::Session& session_ = world_.session;
};

TEST_F(StoreOperationsTest, MarksFollowAssignmentsAndReservations) {
  using Seen = std::vector<std::tuple<bool, bool, bool>>;
  const auto marks = [&] {
    Seen seen;
    for (const KeyMark& m : ReadKeyMarks(world_.store, session_.FnKeyNames))
      seen.emplace_back(m.assigned, m.popup, m.reserved);
    return seen;
  };
  EXPECT_EQ(marks(), Seen(24, {false, false, false})) << "an empty store";
  world_.AssignDirect("Fn-1", "C:\\Tools\\run.exe");
  world_.AssignDirect("Fn-A", "@C:\\Menu\\Games");
  world_.AssignDirect("Fn-B", "@C:\\Menu\\Office");
  world_.Reserve("B");  // reserved beats assigned, and keeps its popup mark
  world_.Reserve("Z");  // reserved without an assignment
  const auto seen = marks();
  EXPECT_EQ(seen[0], std::tuple(true, false, false));
  EXPECT_EQ(seen[1], std::tuple(false, false, false));
  EXPECT_EQ(seen[6], std::tuple(true, true, false));
  EXPECT_EQ(seen[7], std::tuple(true, true, true));
  EXPECT_EQ(seen[23], std::tuple(false, false, true));
  EXPECT_EQ(std::count(seen.begin(), seen.end(), std::tuple(false, false, false)), 20);
}

TEST_F(StoreOperationsTest, SavingAPopupListTakesVisibleFilesOfBothFolders) {
  files_.AddFile("C:\\Menu", "Word.lnk");
  files_.AddFile("C:\\Menu", "calc.exe");
  files_.AddFile("C:\\Menu", "desktop.ini", platform::kHiddenAttribute | 0x4);
  files_.AddFile("C:\\Menu", "Readme.LNK");
  files_.AddFile("C:\\All\\Menu", "Word.lnk");
  files_.AddFile("C:\\All\\Menu", "Paint.lnk");
  session_.ExplorerCaption = "Accessories";
  SavePopupList("Fn-A", 5, "C:\\Menu", "C:\\All\\Menu");

  EXPECT_EQ(Items("Fn-A"), (std::vector<std::string>{"calc.exe", "Paint", "Readme.LNK", "Word"}));
  EXPECT_EQ(ItemTarget("Fn-A", "Readme.LNK"), "C:\\Menu\\Readme.LNK");
  EXPECT_EQ(ItemTarget("Fn-A", "Word"), "C:\\All\\Menu\\Word.lnk") << "the later folder wins";
  EXPECT_EQ(world_.Text(layout::Prg("Fn-A"), "FileCount"), "5");
  EXPECT_EQ(world_.Text(layout::kCmd, "Fn-A"), "@C:\\Menu");
  EXPECT_EQ(world_.Text(layout::kDesc, "Fn-A"), "Accessories");
}

TEST_F(StoreOperationsTest, SavingWithoutFoldersOrFromAnUnreadableFolderStillWritesTheAssignment) {
  SavePopupList("Fn-C", 0, "");
  EXPECT_TRUE(Items("Fn-C").empty());
  EXPECT_EQ(world_.Text(layout::Prg("Fn-C"), "FileCount"), "0");
  SavePopupList("Fn-C", 0, "C:\\Gone");
  EXPECT_EQ(world_.Text(layout::kCmd, "Fn-C"), "@C:\\Gone");
  EXPECT_EQ(world_.Text(layout::kDesc, "Fn-C"), "");
}

TEST_F(StoreOperationsTest, ItemNamesDropOnlyALowerCaseShortcutExtension) {
  const std::pair<const char*, const char*> names[] = {
      {"Notepad.lnk", "Notepad"}, {"Readme.LNK", "Readme.LNK"}, {"lnk", "lnk"}, {"a.xlnk", "a."}};
  for (const auto& [file, item] : names) EXPECT_EQ(PopupItemName(file), item) << file;
}

TEST_F(StoreOperationsTest, ClearingAPopupKeyDeletesItsItemsAndForgetsThePreviousAssignment) {
  files_.AddFile("C:\\Menu", "One.lnk");
  files_.AddFile("C:\\Menu", "Two.lnk");
  files_.AddFile("C:\\Menu", "Three.exe");
  SavePopupList("Fn-A", 3, "C:\\Menu");
  world_.Put(layout::kCwd, "Fn-A", "C:\\Menu");
  world_.SetSwitchFlag("Fn-A", "1");
  session_.PrevCommand = "@C:\\Menu";
  session_.PrevDirectory = "C:\\Menu";
  session_.PrevDescription = "Menu";
  world_.registry.ClearLog();

  core::ClearKeyAssignment(session_, world_.store);

  EXPECT_TRUE(Items("Fn-A").empty());
  EXPECT_EQ(world_.Text(layout::Prg("Fn-A"), "FileCount"), "3") << "the list key stays";
  EXPECT_FALSE(world_.Text(layout::kCmd, "Fn-A"));
  EXPECT_EQ(world_.Raw(layout::kDesc, "Fn-A"), (Bytes{0, 0, 0}));
  EXPECT_EQ(world_.Raw(layout::kCwd, "Fn-A"), (Bytes{0, 0, 0}));
  EXPECT_EQ(world_.Text(layout::kOpts, "Fn-A"), "1") << "the switch flag stays";
  EXPECT_EQ(session_.PrevCommand + session_.PrevDirectory + session_.PrevDescription, "");

  // Every name is enumerated before the first deletion.
  const auto& log = world_.registry.Log();
  const auto last_enum = std::find(log.rbegin(), log.rend(), "enum 2");
  const auto first_delete = std::find_if(log.begin(), log.end(), [](const std::string& line) {
    return line.rfind("delete key", 0) == 0;
  });
  ASSERT_NE(last_enum, log.rend());
  ASSERT_NE(first_delete, log.end());
  EXPECT_LT(std::distance(log.begin(), last_enum.base()), std::distance(log.begin(), first_delete));

  // A later save starts from an empty list.
  files_.AddFile("C:\\Other", "Four.lnk");
  SavePopupList("Fn-A", 1, "C:\\Other");
  EXPECT_EQ(Items("Fn-A"), (std::vector<std::string>{"Four"}));
}

TEST_F(StoreOperationsTest, ClearingAnUnassignedKeyOnlyBlanksExistingKeys) {
  world_.Put(layout::kDesc, "Fn-1", "old");
  session_.CurrentKeyName = "Fn-1";
  core::ClearKeyAssignment(session_, world_.store);
  EXPECT_EQ(world_.Text(layout::kDesc, "Fn-1"), "");
  EXPECT_FALSE(world_.store.KeyExists(Root::CurrentUser, layout::kCwd)) << "cwd is not created";
  EXPECT_FALSE(world_.store.KeyExists(Root::CurrentUser, layout::kCmd));
}

TEST_F(StoreOperationsTest, TogglesFollowTheStoredValue) {
  world_.Put(layout::kCfg, "opts1", "yes");
  EXPECT_TRUE(ToggleOption(world_.store, "opts4"));  // absent counts as off
  EXPECT_EQ(world_.Raw(layout::kCfg, "opts4"), (Bytes{'1', 0}));
  EXPECT_FALSE(ToggleOption(world_.store, "opts4"));
  EXPECT_EQ(world_.Raw(layout::kCfg, "opts4"), (Bytes{'0', 0}));
  EXPECT_TRUE(ToggleOption(world_.store, "opts1"));
  EXPECT_EQ(world_.Text(layout::kCfg, "opts1"), "1");
}

}  // namespace
}  // namespace keylark::store
