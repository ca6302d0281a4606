// The store as other programs see it: the key names, the codec's bytes, what
// the store adds, assignments and popup lists, read back by the literal paths.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/assignment.h"
#include "core/key_table.h"
#include "fakes/fake_filesystem.h"
#include "fakes/key_bar_world.h"
#include "store/registry_store.h"
#include "store/store_operations.h"
#include "store/value_codec.h"

namespace keylark::store {
namespace {

using namespace fakes::layout;
using platform::kSuccess;

Bytes Of(const char* text, std::size_t size) { return Bytes(text, text + size); }

class StoreTest : public fakes::WorldTest {
 protected:
  void PutRaw(const std::string& path, const std::string& name, std::uint32_t type,
              const Bytes& data) {
    ScopedKey(world_.registry, Root::CurrentUser, path, true).Write(name, type, data);
  }
  std::vector<std::string> Items(const std::string& key_name) {
    return ScopedKey(world_.registry, Root::CurrentUser, Prg(key_name), false).SubkeyNames();
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
  const Store& store_ = world_.store;
};

// The 24 keys as the Fn-key component reports them and the registry names
// them, in index order: digits first, then letters, not the keyboard's order.
TEST(KeyTable, EachIndexHasItsKeyNameAndMakeCode) {
  const std::string characters = "123456ABCDEFGHNQRSTVWXYZ";
  const std::uint32_t make_codes[] = {0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x1E, 0x30,
                                      0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x31, 0x10,
                                      0x13, 0x1F, 0x14, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
  const core::KeyNameTable names = core::BuildFnKeyNames();
  for (std::size_t i = 0; i < 24; ++i) {
    const core::KeyInfo key =
        core::FindKeyByScanCode(make_codes[i]).value_or(core::KeyInfo{-1, '?', 0});
    EXPECT_EQ(names[i], std::string("Fn-") + characters[i]);
    EXPECT_EQ(key.character, characters[i]);
    EXPECT_EQ(key.index, static_cast<int>(i)) << names[i];
    EXPECT_EQ(core::FindKeyByName(names[i])->index, static_cast<int>(i));
  }
  int selecting = 0;
  for (std::uint32_t code = 0; code < 0x400; ++code)
    selecting += core::FindKeyByScanCode(code) ? 1 : 0;
  EXPECT_EQ(selecting, 24) << "no other code selects a key";
  for (const char* name : {"Fn-e", "Fn-I", "Fn-AA", "F-A"}) EXPECT_FALSE(core::FindKeyByName(name));
}

// A text carries one NUL and is read up to the first; a position is five
// bytes, with a NUL when there is room, else cut after five characters.
TEST(ValueCodec, TextsFlagsNumbersAndPositionsKeepTheirStoredForm) {
  EXPECT_EQ(EncodeText(""), Of("", 1));
  EXPECT_EQ(DecodeText(Of("abc\0def", 7).data(), 7), "abc");
  EXPECT_TRUE(IsFlagOn("1"));
  for (const char* off : {"0", "", "1 ", " 1", "01", "2", "true", "Y"})
    EXPECT_FALSE(IsFlagOn(off)) << '"' << off << '"';
  EXPECT_EQ(EncodePosition(-15), Of("-15\0\0", 5));
  EXPECT_EQ(EncodePosition(10005), Of("10005", 5));
  EXPECT_EQ(EncodePosition(123456), Of("12345", 5));
  EXPECT_EQ(FormatPosition(1234.5), "1234.5");
  for (double twips : {0.0, 2118.0, 10005.0, 99990.0, -300.0}) {
    const Bytes data = EncodePosition(twips);
    EXPECT_EQ(DecodePosition(data.data(), data.size()), twips) << twips;
  }
  EXPECT_EQ(DecodePosition(Of("123456", 6).data(), 6), 123456);
  // Positions, switch flags and list counts are numbers in text that users
  // and tools edit by hand: the leading number counts.
  const std::pair<const char*, double> cases[] = {
      {"2880", 2880}, {"-15", -15},   {"  42abc", 42}, {"1 2 3", 123}, {"\t300", 300},
      {"3\t0", 30},   {"12.5", 12.5}, {"1E3", 1000},   {"&H1F", 31},   {"&h1f", 31},
      {"&HfF", 255},  {"&O17", 15},   {"&o17", 15},    {"&O78", 7},    {"&O8", 0},
      {"&HG", 0},     {"", 0},        {"abc", 0},      {"-", 0},       {"1e999999", 0},
  };
  for (const auto& [text, value] : cases)
    EXPECT_EQ(NumericValue(text), value) << '"' << text << '"';
}

// Where the NUL goes is the value codec's; here what the store adds to it.
TEST_F(StoreTest, KeysAreMadeOnlyWhenAllowedTextsReadWhateverTheirTypeAndTogglesFollowThem) {
  EXPECT_NE(store_.WriteText(kCwd, "Fn-1", "C:\\", KeyMode::OpenExisting), kSuccess);
  EXPECT_NE(store_.WriteFlag(kCfg, "opts4", true, KeyMode::OpenExisting), kSuccess);
  EXPECT_FALSE(store_.KeyExists(Root::CurrentUser, kCwd) ||
               store_.KeyExists(Root::CurrentUser, kCfg));
  ASSERT_EQ(store_.WriteText(kCmd, "Fn-1", "run.exe", KeyMode::CreateIfMissing), kSuccess);
  EXPECT_EQ(world_.Raw(kCmd, "Fn-1"), (Bytes{'r', 'u', 'n', '.', 'e', 'x', 'e', 0}));
  PutRaw(kCmd, "Dword", platform::kRegDword, Bytes{'7', 0, 0, 0});
  PutRaw(kCmd, "Huge", platform::kRegBinary, Bytes((1U << 20) + 1, 'x'));
  EXPECT_EQ(store_.ReadText(kCmd, "Dword"), "7");
  EXPECT_FALSE(store_.ReadText(kCmd, "Huge")) << "too large to be ours: absent";
  // A toggle follows the stored value.
  world_.Put(kCfg, "opts1", "yes");
  EXPECT_TRUE(ToggleOption(world_.store, "opts4"));  // absent counts as off
  EXPECT_EQ(world_.Raw(kCfg, "opts4"), (Bytes{'1', 0}));
  EXPECT_FALSE(ToggleOption(world_.store, "opts4"));
  EXPECT_EQ(world_.Raw(kCfg, "opts4"), (Bytes{'0', 0}));
  EXPECT_TRUE(ToggleOption(world_.store, "opts1"));
  EXPECT_EQ(world_.Text(kCfg, "opts1"), "1");
}

TEST_F(StoreTest, TheWindowHandleIsAFourByteDwordUnderTheMakersKey) {
  ASSERT_EQ(store_.PublishWindowHandle(0x0002047AU), kSuccess);
  EXPECT_EQ(world_.Raw(kMaker, "Keylark"), (Bytes{0x7A, 0x04, 0x02, 0x00}));
  EXPECT_EQ(store_.WithdrawWindowHandle(), kSuccess);
  EXPECT_FALSE(world_.Raw(kMaker, "Keylark"));
  EXPECT_TRUE(store_.KeyExists(Root::CurrentUser, kMaker)) << "the key itself stays";
  PutRaw(kMaker, "Keylark", platform::kRegBinary, Bytes{1, 2});
  EXPECT_FALSE(store_.ReadPublishedWindowHandle()) << "two bytes are no handle";
}

TEST_F(StoreTest, TheFirstWriteMakesEachKeyForAllKeysAndALaterSaveReplacesOnlyItsOwn) {
  core::WriteSwitchFlag(world_.store, "Fn-Q", true);
  EXPECT_EQ(world_.Text(kOpts, "Fn-Q"), "1");
  core::SaveDirectAssignment(world_.store, "Fn-E",
                             {"Editor", "C:\\Tools\\edit.exe", "C:\\Tools", true});
  EXPECT_EQ(world_.Text(kOpts, "Fn-Q"), "1") << "an existing key is not reset";
  EXPECT_EQ(world_.Text(kCwd, "Fn-E"), "C:\\Tools");
  for (const char* other : {"Fn-1", "Fn-Z"}) {
    EXPECT_EQ(world_.Raw(kDesc, other), (Bytes{0, 0, 0})) << other;
    EXPECT_EQ(world_.Raw(kCwd, other), (Bytes{0, 0, 0})) << other;
    EXPECT_EQ(world_.Raw(kOpts, other), (Bytes{'0', 0})) << other;
    EXPECT_FALSE(world_.Raw(kCmd, other)) << other;
  }
  core::SaveDirectAssignment(world_.store, "Fn-B", {"Web", "web.exe", "", true});
  // An empty command leaves the key unassigned; the description is still kept.
  core::SaveDirectAssignment(world_.store, "Fn-E", {"Only a name", "", "", false});
  const core::StoredAssignment a = core::ReadAssignment(world_.store, "Fn-E");
  EXPECT_FALSE(a.command);
  EXPECT_EQ(a.description + "|" + a.directory + "|" + a.switch_flag.value_or("?"),
            "Only a name||0");
  EXPECT_EQ(core::ReadAssignment(world_.store, "Fn-B").command, "web.exe");
}

// One letter a key: "." free, "a" direct, "p" popup list; capital when reserved.
TEST_F(StoreTest, MarksFollowAssignmentsAndReservations) {
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

TEST_F(StoreTest, SavingAPopupListTakesVisibleFilesOfBothFoldersOrNoneWithoutAFolder) {
  for (const char* name : {"Word.lnk", "calc.exe", "Readme.LNK"}) files_.AddFile("C:\\Menu", name);
  files_.AddFile("C:\\Menu", "desktop.ini", platform::kHiddenAttribute | 0x4);
  for (const char* name : {"Word.lnk", "Paint.lnk"}) files_.AddFile("C:\\All\\Menu", name);
  session_.ExplorerCaption = "Accessories";
  SavePopupList("Fn-A", 5, "C:\\Menu", "C:\\All\\Menu");

  EXPECT_EQ(Items("Fn-A"), (std::vector<std::string>{"calc.exe", "Paint", "Readme.LNK", "Word"}));
  EXPECT_EQ(world_.Text(PrgItem("Fn-A", "Word"), "Word"), "C:\\All\\Menu\\Word.lnk")
      << "the later folder wins";
  EXPECT_EQ(world_.Text(Prg("Fn-A"), "FileCount"), "5");
  EXPECT_EQ(world_.Text(kCmd, "Fn-A"), "@C:\\Menu");
  EXPECT_EQ(world_.Text(kDesc, "Fn-A"), "Accessories");
  // Without a folder, or from one that cannot be read, the assignment is still written.
  session_.ExplorerCaption.clear();
  SavePopupList("Fn-C", 0, "");
  EXPECT_TRUE(Items("Fn-C").empty());
  EXPECT_EQ(world_.Text(Prg("Fn-C"), "FileCount"), "0");
  SavePopupList("Fn-C", 0, "C:\\Gone");
  EXPECT_EQ(world_.Text(kCmd, "Fn-C"), "@C:\\Gone");
  EXPECT_EQ(world_.Text(kDesc, "Fn-C"), "");
}

TEST_F(StoreTest, ClearingAPopupKeyDeletesItsItemsAndForgetsThePreviousAssignment) {
  world_.Put(kDesc, "Fn-1", "old");
  session_.CurrentKeyName = "Fn-1";
  core::ClearKeyAssignment(session_, world_.store);  // unassigned: only existing keys are blanked
  EXPECT_EQ(world_.Text(kDesc, "Fn-1"), "");
  EXPECT_FALSE(world_.store.KeyExists(Root::CurrentUser, kCwd) ||
               world_.store.KeyExists(Root::CurrentUser, kCmd));

  for (const char* name : {"One.lnk", "Two.lnk", "Three.exe"}) files_.AddFile("C:\\Menu", name);
  SavePopupList("Fn-A", 3, "C:\\Menu");
  world_.Put(kCwd, "Fn-A", "C:\\Menu");
  world_.SetSwitchFlag("Fn-A", "1");
  session_.PrevCommand = session_.PrevDirectory = session_.PrevDescription = "Menu";
  world_.registry.ClearLog();

  core::ClearKeyAssignment(session_, world_.store);

  EXPECT_TRUE(Items("Fn-A").empty());
  EXPECT_EQ(world_.Text(Prg("Fn-A"), "FileCount"), "3") << "the list key stays";
  EXPECT_FALSE(world_.Text(kCmd, "Fn-A"));
  EXPECT_EQ(world_.Raw(kDesc, "Fn-A"), (Bytes{0, 0, 0}));
  EXPECT_EQ(world_.Raw(kCwd, "Fn-A"), (Bytes{0, 0, 0}));
  EXPECT_EQ(world_.Text(kOpts, "Fn-A"), "1") << "the switch flag stays";
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

}  // namespace
}  // namespace keylark::store
