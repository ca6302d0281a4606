#include "store/store_operations.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/fake_filesystem.h"
#include "fakes/fake_registry.h"
#include "store/layout.h"

namespace keylark::store {
namespace {

using app::kAssignedColor;
using app::kReservedColor;
using app::kUnassignedColor;

class StoreOperationsTest : public ::testing::Test {
 protected:
  StoreOperationsTest() {
    session_.FnKeyNames = app::BuildFnKeyNames();
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
  app::Session session_;
};

TEST_F(StoreOperationsTest, MarksFollowAssignmentsReservationsAndTheMarkOption) {
  Assign("Fn-1", "C:\\Tools\\run.exe");
  Assign("Fn-A", "@C:\\Menu\\Games");
  Assign("Fn-B", "@C:\\Menu\\Office");
  Reserve("B");  // reserved beats assigned, and keeps its popup mark
  Reserve("Z");  // reserved without an assignment

  KeyMarks marks = ComputeKeyMarks(session_, store_);
  EXPECT_EQ(marks[0].color, kAssignedColor);
  EXPECT_FALSE(marks[0].popup_mark);
  EXPECT_EQ(marks[6].color, kAssignedColor);
  EXPECT_TRUE(marks[6].popup_mark);
  EXPECT_EQ(marks[7].color, kReservedColor);
  EXPECT_TRUE(marks[7].popup_mark);
  EXPECT_EQ(marks[23].color, kReservedColor);
  EXPECT_FALSE(marks[23].popup_mark);
  EXPECT_EQ(marks[1].color, kUnassignedColor);
  EXPECT_EQ(
      std::count_if(marks.begin(), marks.end(), [](const LabelMark& m) { return m.popup_mark; }),
      2);

  store_.WriteFlag(kConfigKey, kMarkPopupsValue, false, KeyMode::OpenExisting);
  marks = ComputeKeyMarks(session_, store_);
  EXPECT_EQ(marks[6].color, kAssignedColor);
  EXPECT_FALSE(marks[6].popup_mark);
}

TEST_F(StoreOperationsTest, WithoutAnyKeysNothingIsAssignedOrReserved) {
  fakes::FakeRegistry empty;
  const KeyMarks marks = ComputeKeyMarks(session_, Store(empty));
  for (const LabelMark& mark : marks) {
    EXPECT_EQ(mark.color, kUnassignedColor);
    EXPECT_FALSE(mark.popup_mark);
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

  SavePopupList(session_, store_, files_, "C:\\Menu", "C:\\All\\Menu");

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
  SavePopupList(session_, store_, files_, "", "");
  EXPECT_TRUE(Items("Fn-C").empty());
  EXPECT_EQ(store_.ReadText(PopupListKey("Fn-C"), kFileCountValue), "0");
  SavePopupList(session_, store_, files_, "C:\\Gone", "");
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
  SavePopupList(session_, store_, files_, "C:\\Menu", "");
  store_.WriteText(kDirectoryKey, "Fn-A", "C:\\Menu", KeyMode::CreateIfMissing);
  store_.WriteFlag(kSwitchFlagKey, "Fn-A", true, KeyMode::CreateIfMissing);
  session_.PrevCommand = "@C:\\Menu";
  session_.PrevDescription = "Menu";
  registry_.ClearLog();

  ClearKeyAssignment(session_, store_);

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
  SavePopupList(session_, store_, files_, "C:\\Other", "");
  EXPECT_EQ(Items("Fn-A"), (std::vector<std::string>{"Four"}));
}

TEST_F(StoreOperationsTest, ClearingAnUnassignedKeyOnlyBlanksExistingKeys) {
  store_.WriteText(kDescriptionKey, "Fn-1", "old", KeyMode::CreateIfMissing);
  session_.CurrentKeyName = "Fn-1";
  ClearKeyAssignment(session_, store_);
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
