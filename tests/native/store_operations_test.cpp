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

// One letter a key: "." free, "a" direct, "p" popup list; capital when reserved.
TEST_F(StoreOperationsTest, MarksFollowAssignmentsAndReservations) {
  const auto marks = [&] {
    std::string seen;
    for (const KeyMark& m : ReadKeyMarks(world_.store, session_.FnKeyNames)) {
      const char mark = m.assigned ? (m.popup ? 'p' : 'a') : '.';
      seen += m.reserved ? static_cast<char>(mark == '.' ? 'R' : mark - 'a' + 'A') : mark;
    }
    return seen;
  };
  EXPECT_EQ(marks(), std::string(24, '.')) << "an empty store";
  world_.AssignDirect("Fn-1", "C:\\Tools\\run.exe");
  world_.AssignDirect("Fn-A", "@C:\\Menu\\Games");
  world_.AssignDirect("Fn-B", "@C:\\Menu\\Office");
  world_.Reserve("B");  // reserved beats assigned, and keeps its popup mark
  world_.Reserve("Z");
  EXPECT_EQ(marks(), "a.....pP...............R");
}

TEST_F(StoreOperationsTest, SavingAPopupListTakesVisibleFilesOfBothFolders) {
  for (const char* name : {"Word.lnk", "calc.exe", "Readme.LNK"}) files_.AddFile("C:\\Menu", name);
  files_.AddFile("C:\\Menu", "desktop.ini", platform::kHiddenAttribute | 0x4);
  for (const char* name : {"Word.lnk", "Paint.lnk"}) files_.AddFile("C:\\All\\Menu", name);
  session_.ExplorerCaption = "Accessories";
  SavePopupList("Fn-A", 5, "C:\\Menu", "C:\\All\\Menu");

  EXPECT_EQ(Items("Fn-A"), (std::vector<std::string>{"calc.exe", "Paint", "Readme.LNK", "Word"}));
  EXPECT_EQ(world_.Text(layout::PrgItem("Fn-A", "Word"), "Word"), "C:\\All\\Menu\\Word.lnk")
      << "the later folder wins";
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

TEST_F(StoreOperationsTest, ClearingAPopupKeyDeletesItsItemsAndForgetsThePreviousAssignment) {
  world_.Put(layout::kDesc, "Fn-1", "old");
  session_.CurrentKeyName = "Fn-1";
  core::ClearKeyAssignment(session_, world_.store);  // unassigned: only existing keys are blanked
  EXPECT_EQ(world_.Text(layout::kDesc, "Fn-1"), "");
  EXPECT_FALSE(world_.store.KeyExists(Root::CurrentUser, layout::kCwd) ||
               world_.store.KeyExists(Root::CurrentUser, layout::kCmd));

  for (const char* name : {"One.lnk", "Two.lnk", "Three.exe"}) files_.AddFile("C:\\Menu", name);
  SavePopupList("Fn-A", 3, "C:\\Menu");
  world_.Put(layout::kCwd, "Fn-A", "C:\\Menu");
  world_.SetSwitchFlag("Fn-A", "1");
  session_.PrevCommand = session_.PrevDirectory = session_.PrevDescription = "Menu";
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
  const auto deleting = [](const std::string& line) { return line.rfind("delete key", 0) == 0; };
  EXPECT_EQ(std::find_if(std::find(log.begin(), log.end(), "enum 2"), log.end(), deleting),
            std::find_if(log.begin(), log.end(), deleting));
  EXPECT_NE(std::find_if(log.begin(), log.end(), deleting), log.end());

  // A later save starts from an empty list.
  files_.AddFile("C:\\Other", "Four.lnk");
  SavePopupList("Fn-A", 1, "C:\\Other");
  EXPECT_EQ(Items("Fn-A"), (std::vector<std::string>{"Four"}));
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
