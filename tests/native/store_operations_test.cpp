#include "store/store_operations.h"

#include "core/assignment.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/fake_filesystem.h"
#include "fakes/fake_registry.h"
#include "store/layout.h"

namespace keylark::store {
namespace {

class StoreOperationsTest : public ::testing::Test {
 protected:
  StoreOperationsTest() {
    session_.FnKeyNames = core::BuildFnKeyNames();
    store_.WriteFlag(kConfigKey, kMarkPopupsValue, true, KeyMode::CreateIfMissing);
  }
  void TearDown() override { EXPECT_EQ(registry_.OpenHandleCount(), 0U) << "a key was left open"; }

  void Assign(const std::string& key, const std::string& command) {
    store_.WriteText(kCommandKey, key, command, KeyMode::CreateIfMissing);
  }
  void Reserve(const std::string& character) {
    platform::KeyHandle key = 0;
    registry_.CreateKey(Root::LocalMachine, kReservedKeysKey, &key);
    const std::uint8_t anything[] = {7};
    registry_.SetValue(key, character, platform::kRegBinary, anything, 1);
    registry_.CloseKey(key);
  }
  std::vector<std::string> Items(const std::string& key_name) {
    std::vector<std::string> names;
    const ScopedKey list(registry_, Root::CurrentUser, PopupListKey(key_name), false);
    char buffer[256];
    for (std::uint32_t i = 0;
         registry_.EnumKey(list.Handle(), i, buffer, sizeof buffer) == platform::kSuccess; ++i) {
      names.emplace_back(buffer);
    }
    return names;
  }
  std::optional<std::string> ItemTarget(const std::string& key_name, const std::string& item) {
    return store_.ReadText(PopupItemKey(key_name, item), item);
  }

  fakes::FakeRegistry registry_;
  fakes::FakeFileSystem files_;
  Store store_{registry_};
  core::Session session_;
};

TEST_F(StoreOperationsTest, MarksFollowAssignmentsAndReservations) {
  Assign("Fn-1", "C:\\Tools\\run.exe");
  Assign("Fn-A", "@C:\\Menu\\Games");
  Assign("Fn-B", "@C:\\Menu\\Office");
  Reserve("B");  // reserved beats assigned, and keeps its popup mark
  Reserve("Z");  // reserved without an assignment

  const std::vector<KeyMark> marks = ReadKeyMarks(store_, session_.FnKeyNames);
  const auto as_tuple = [](const KeyMark& m) {
    return std::tuple(m.assigned, m.popup, m.reserved);
  };
  EXPECT_EQ(as_tuple(marks[0]), std::tuple(true, false, false));
  EXPECT_EQ(as_tuple(marks[6]), std::tuple(true, true, false));
  EXPECT_EQ(as_tuple(marks[7]), std::tuple(true, true, true));
  EXPECT_EQ(as_tuple(marks[23]), std::tuple(false, false, true));
  EXPECT_EQ(as_tuple(marks[1]), std::tuple(false, false, false));
  EXPECT_EQ(std::count_if(marks.begin(), marks.end(), [](const KeyMark& m) { return m.popup; }), 2);
}

TEST_F(StoreOperationsTest, WithoutAnyKeysNothingIsAssignedOrReserved) {
  fakes::FakeRegistry empty;
  for (const KeyMark& mark : ReadKeyMarks(Store(empty), session_.FnKeyNames)) {
    EXPECT_FALSE(mark.assigned || mark.popup || mark.reserved);
  }
}

TEST_F(StoreOperationsTest, SavingAPopupListTakesVisibleFilesOfBothFolders) {
  files_.AddFile("C:\\Menu", "Word.lnk");
  files_.AddFile("C:\\Menu", "calc.exe");
  files_.AddFile("C:\\Menu", "desktop.ini", platform::kHiddenAttribute | 0x4);
  files_.AddFile("C:\\Menu", "Readme.LNK");
  files_.AddFile("C:\\All\\Menu", "Word.lnk");
  files_.AddFile("C:\\All\\Menu", "Paint.lnk");
  session_.CurrentKeyName = "Fn-A";
  session_.ExplorerItemCount = 5;
  session_.ExplorerFolder = "C:\\Menu";
  session_.ExplorerCaption = "Accessories";

  core::SavePopupList(session_, store_, files_, "C:\\Menu", "C:\\All\\Menu");

  EXPECT_EQ(Items("Fn-A"), (std::vector<std::string>{"calc.exe", "Paint", "Readme.LNK", "Word"}));
  EXPECT_EQ(ItemTarget("Fn-A", "calc.exe"), "C:\\Menu\\calc.exe");
  EXPECT_EQ(ItemTarget("Fn-A", "Readme.LNK"), "C:\\Menu\\Readme.LNK");
  EXPECT_EQ(ItemTarget("Fn-A", "Word"), "C:\\All\\Menu\\Word.lnk") << "the later folder wins";
  EXPECT_EQ(store_.ReadText(PopupListKey("Fn-A"), kFileCountValue), "5");
  EXPECT_EQ(store_.ReadText(kCommandKey, "Fn-A"), "@C:\\Menu");
  EXPECT_EQ(store_.ReadText(kDescriptionKey, "Fn-A"), "Accessories");
}

TEST_F(StoreOperationsTest, SavingWithoutFoldersOrFromAnUnreadableFolderStillWritesTheAssignment) {
  session_.CurrentKeyName = "Fn-C";
  session_.ExplorerFolder = "C:\\Gone";
  core::SavePopupList(session_, store_, files_, "", "");
  EXPECT_TRUE(Items("Fn-C").empty());
  EXPECT_EQ(store_.ReadText(PopupListKey("Fn-C"), kFileCountValue), "0");
  core::SavePopupList(session_, store_, files_, "C:\\Gone", "");
  EXPECT_EQ(store_.ReadText(kCommandKey, "Fn-C"), "@C:\\Gone");
  EXPECT_EQ(store_.ReadText(kDescriptionKey, "Fn-C"), "");
}

TEST_F(StoreOperationsTest, ItemNamesDropOnlyALowerCaseShortcutExtension) {
  EXPECT_EQ(PopupItemName("Notepad.lnk"), "Notepad");
  EXPECT_EQ(PopupItemName("Readme.LNK"), "Readme.LNK");
  EXPECT_EQ(PopupItemName("calc.exe"), "calc.exe");
  EXPECT_EQ(PopupItemName("xlnk"), "xlnk");
  EXPECT_EQ(PopupItemName("lnk"), "lnk");
  EXPECT_EQ(PopupItemName("a.xlnk"), "a.");
}

TEST_F(StoreOperationsTest, ClearingAPopupKeyDeletesItsItemsButKeepsTheListAndCount) {
  files_.AddFile("C:\\Menu", "One.lnk");
  files_.AddFile("C:\\Menu", "Two.lnk");
  files_.AddFile("C:\\Menu", "Three.exe");
  session_.CurrentKeyName = "Fn-A";
  session_.ExplorerItemCount = 3;
  session_.ExplorerFolder = "C:\\Menu";
  core::SavePopupList(session_, store_, files_, "C:\\Menu", "");
  store_.WriteText(kDirectoryKey, "Fn-A", "C:\\Menu", KeyMode::CreateIfMissing);
  store_.WriteFlag(kSwitchFlagKey, "Fn-A", true, KeyMode::CreateIfMissing);
  session_.PrevCommand = "@C:\\Menu";
  session_.PrevDescription = "Menu";
  registry_.ClearLog();

  core::ClearKeyAssignment(session_, store_);

  EXPECT_TRUE(Items("Fn-A").empty());
  EXPECT_EQ(store_.ReadText(PopupListKey("Fn-A"), kFileCountValue), "3");
  EXPECT_FALSE(store_.ReadText(kCommandKey, "Fn-A"));
  EXPECT_EQ(store_.ReadText(kDescriptionKey, "Fn-A"), "");
  EXPECT_EQ(store_.ReadText(kDirectoryKey, "Fn-A"), "");
  EXPECT_TRUE(store_.ReadFlag(kSwitchFlagKey, "Fn-A")) << "the switch flag stays";
  EXPECT_TRUE(session_.PrevCommand.empty());
  EXPECT_TRUE(session_.PrevDescription.empty());

  // Every name is enumerated before the first deletion.
  const auto& log = registry_.Log();
  const auto last_enum = std::find(log.rbegin(), log.rend(), "enum 2");
  const auto first_delete = std::find_if(log.begin(), log.end(), [](const std::string& line) {
    return line.rfind("delete key", 0) == 0;
  });
  ASSERT_NE(last_enum, log.rend());
  ASSERT_NE(first_delete, log.end());
  EXPECT_LT(std::distance(log.begin(), last_enum.base()), std::distance(log.begin(), first_delete));

  // A later save starts from an empty list.
  files_.AddFile("C:\\Other", "Four.lnk");
  core::SavePopupList(session_, store_, files_, "C:\\Other", "");
  EXPECT_EQ(Items("Fn-A"), (std::vector<std::string>{"Four"}));
}

TEST_F(StoreOperationsTest, ClearingAnUnassignedKeyOnlyBlanksExistingKeys) {
  store_.WriteText(kDescriptionKey, "Fn-1", "old", KeyMode::CreateIfMissing);
  session_.CurrentKeyName = "Fn-1";
  core::ClearKeyAssignment(session_, store_);
  EXPECT_EQ(store_.ReadText(kDescriptionKey, "Fn-1"), "");
  EXPECT_FALSE(store_.KeyExists(Root::CurrentUser, kDirectoryKey)) << "cwd is not created";
  EXPECT_FALSE(store_.KeyExists(Root::CurrentUser, kCommandKey));
}

TEST_F(StoreOperationsTest, TogglesFollowTheStoredValue) {
  EXPECT_TRUE(ToggleOption(store_, kHintsValue));  // absent counts as off
  EXPECT_EQ(store_.ReadText(kConfigKey, kHintsValue), "1");
  EXPECT_FALSE(ToggleOption(store_, kHintsValue));
  EXPECT_EQ(store_.ReadText(kConfigKey, kHintsValue), "0");
  store_.WriteText(kConfigKey, kAlwaysOnTopValue, "yes", KeyMode::OpenExisting);
  EXPECT_TRUE(ToggleOption(store_, kAlwaysOnTopValue));
  // Two quick toggles from on end on.
  EXPECT_FALSE(ToggleOption(store_, kMarkPopupsValue));
  EXPECT_TRUE(ToggleOption(store_, kMarkPopupsValue));
}

}  // namespace
}  // namespace keylark::store
