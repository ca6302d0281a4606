// The Application Explorer over an in-memory Start menu: how the two programs
// folders merge into one tree, what a folder's list shows and counts, and
// what OK writes or hands to the command editor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/file_listing.h"
#include "dialogs/edit_command.h"
#include "dialogs/explorer.h"
#include "fakes/fake_filesystem.h"
#include "fakes/fake_shortcut_library.h"
#include "fakes/key_bar_world.h"

namespace keylark::dialogs {
namespace {

using Lines = std::vector<std::string>;
using fakes::layout::kCfg;
using fakes::layout::kCmd;
using fakes::layout::kDesc;

constexpr const char* kCommon = "C:\\All\\Programs";
constexpr const char* kUser = "C:\\Me\\Programs";

// Each node as "parent's text/text", with "+" and the second folder's last
// name when one is merged into it.
Lines Render(const FolderTree& tree) {
  Lines lines;
  for (const FolderNode& node : tree.Nodes()) {
    const FolderNode* parent = tree.Find(node.parent_key);
    std::string line = (parent ? parent->text : std::string()) + "/" + node.text;
    if (!node.tag.empty()) line += " +" + node.tag;
    lines.push_back(line);
  }
  return lines;
}

struct TreeCase {
  const char* name;
  bool user_only;
  // Folders to make, "parent|name" relative to C:\, with "!" for hidden.
  Lines folders;
  Lines nodes;
  friend void PrintTo(const TreeCase& c, std::ostream* out) { *out << c.name; }
};

class ExplorerTree : public ::testing::TestWithParam<TreeCase> {};

TEST_P(ExplorerTree, MergesTheTwoProgramsFolders) {
  const TreeCase& c = GetParam();
  fakes::FakeFileSystem files;
  files.AddFolder(kCommon);
  files.AddFolder(kUser);
  for (const std::string& entry : c.folders) {
    const std::size_t bar = entry.find('|');
    std::string name = entry.substr(bar + 1);
    const bool hidden = name.front() == '!';
    if (hidden) name.erase(0, 1);
    files.AddSubfolder("C:\\" + entry.substr(0, bar), name,
                       hidden ? platform::kHiddenAttribute : 0);
  }
  const FolderTree tree = BuildProgramTree(files, {kCommon, kUser}, c.user_only);
  EXPECT_EQ(Render(tree), c.nodes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExplorerTree,
    ::testing::Values(
        TreeCase{"UserOnly",
                 true,
                 {"All\\Programs|Office", "Me\\Programs|Games", "Me\\Programs\\Games|Cards"},
                 {"/Games", "Games/Cards"}},
        TreeCase{"AllUsersOnly",
                 false,
                 {"All\\Programs|Office", "All\\Programs\\Office|Tools", "All\\Programs|Zip"},
                 {"/Office", "Office/Tools", "/Zip"}},
        TreeCase{"SharedNameIsOneNodeWithTheUsersFolderAsSecond",
                 false,
                 {"All\\Programs|Accessories", "All\\Programs|Office", "Me\\Programs|Games",
                  "Me\\Programs|Accessories"},
                 {"/Accessories +C:\\Me\\Programs\\Accessories", "/Office", "/Games"}},
        TreeCase{"HiddenFolderEndsItsParentsListing",
                 false,
                 {"All\\Programs|Alpha", "All\\Programs|!Secret", "All\\Programs|Beta",
                  "All\\Programs\\Alpha|Inner", "Me\\Programs|Gamma"},
                 {"/Alpha", "Alpha/Inner", "/Gamma"}},
        // Below a merged node the user's folders are keyed by their own
        // path, which the tree does not have: unmatched ones are left out,
        // matched ones (by name, anywhere) get their second folder.
        TreeCase{
            "UnderAMergedNodeOnlyNamesAlreadyInTheTreeCount",
            false,
            {"All\\Programs|Accessories", "All\\Programs\\Accessories|System Tools",
             "Me\\Programs|Accessories", "Me\\Programs\\Accessories|Extra",
             "Me\\Programs\\Accessories\\Extra|Deeper", "Me\\Programs\\Accessories|System Tools"},
            {"/Accessories +C:\\Me\\Programs\\Accessories",
             "Accessories/System Tools +C:\\Me\\Programs\\Accessories\\System Tools"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExplorerTreeFailures, UnreadableOrUnresolvedFoldersLeaveAnEmptyTreeOrAreSkipped) {
  fakes::FakeFileSystem files;
  EXPECT_TRUE(BuildProgramTree(files, {"", ""}, false).Nodes().empty());
  EXPECT_TRUE(BuildProgramTree(files, {"C:\\Gone", "C:\\Gone too"}, false).Nodes().empty());
  const std::string tools = files.AddSubfolder(kUser, "Tools");
  files.AddSubfolder(tools, "Broken");
  files.RemoveFolder(tools + "\\Broken");
  files.AddSubfolder(kUser, "After");
  EXPECT_EQ(Render(BuildProgramTree(files, {"", kUser}, false)),
            (Lines{"/Tools", "Tools/Broken", "/After"}));
}

TEST(ListCaption, KeepsEighteenCharactersAndCutsLongerNamesToFifteen) {
  const struct {
    std::string name, caption;
  } cases[] = {
      {"Seventeen_cha.exe", "Seventeen_cha"},
      {"Eighteen_chars.lnk", "Eighteen_chars"},
      {"Nineteen_chars1.lnk", "Nineteen_chars1"},
      {"Twenty-two_charact.lnk", "Twenty-two_charact"},
      {"Twenty-three_charact.lnk", "Twenty-three_ch..."},
      {"Readme", "Re"},  // no extension: still four characters less
      {"abc", "abc"},    // too short to lose anything
      // Characters, not bytes: 19 Japanese characters before ".lnk".
      {"\u3042\u3044\u3046\u3048\u304a\u304b\u304d\u304f\u3051\u3053\u3055\u3057\u3059\u305b"
       "\u305d\u305f\u3061\u3064\u3066.lnk",
       "\u3042\u3044\u3046\u3048\u304a\u304b\u304d\u304f\u3051\u3053\u3055\u3057\u3059\u305b"
       "\u305d..."},
  };
  for (const auto& c : cases) EXPECT_EQ(core::ListCaption(c.name), c.caption) << c.name;
}

TEST(FileListing, SkipsHiddenFilesAndCountsDuplicatesOfTheSecondFolder) {
  fakes::FakeFileSystem files;
  files.AddFile("C:\\A", "Word.lnk");
  files.AddFile("C:\\A", "desktop.ini", platform::kHiddenAttribute);
  files.AddFile("C:\\A", "Calc.lnk");
  files.AddFile("C:\\B", "Calc.lnk");
  files.AddFile("C:\\B", "Paint.lnk");
  files.AddFolder("C:\\Empty");
  files.AddFile("C:\\Hidden", "x.lnk", platform::kHiddenAttribute);

  core::FileListing listing;
  listing.Add(files, "C:\\A");
  EXPECT_EQ(listing.ItemCount(), 2);
  listing.Add(files, "C:\\B");
  EXPECT_EQ(listing.ItemCount(), 4) << "the duplicate still counts";
  Lines shown;
  for (const core::ListedFile& item : listing.Items()) shown.push_back(item.Path());
  EXPECT_EQ(shown, (Lines{"C:\\A\\Word.lnk", "C:\\A\\Calc.lnk", "C:\\B\\Paint.lnk"}));

  // A second folder without visible files leaves the count at 0.
  listing.Clear();
  listing.Add(files, "C:\\A");
  listing.Add(files, "C:\\Hidden");
  EXPECT_EQ(listing.Items().size(), 2U);
  EXPECT_EQ(listing.ItemCount(), 0);
  EXPECT_EQ(core::CountListedFiles(files, "C:\\Empty", "C:\\A"), 2);
  EXPECT_EQ(core::CountListedFiles(files, "C:\\Gone", ""), 0);
}

class ExplorerOk : public fakes::WorldTest {
 protected:
  ExplorerOk() {
    world_.SelectKey("Fn-E", 10);
    files_.AddFile("C:\\Menu", "Word.lnk");
    files_.AddFile("C:\\Menu", "calc.exe");
    files_.AddFolder("C:\\Nothing");
  }
  ExplorerModel Model(ExplorerMode mode) {
    return ExplorerModel(world_.session, world_.store, world_.host, files_, shortcuts_, mode);
  }
  std::vector<std::string> TakeLog() { return std::exchange(world_.log, {}); }

  fakes::FakeFileSystem files_;
  fakes::FakeShortcutLibrary shortcuts_;
};

TEST_F(ExplorerOk, PopupModeSavesAtOnceOrAsksAsTheTableSays) {
  const struct {
    const char* confirm;  // "opts5"
    const char* command;  // the key's command before, nullptr: none
    bool asks;
  } cases[] = {
      {"0", "C:\\old.exe", false}, {"1", "C:\\old.exe", true},
      {"1", "@C:\\Menu", false},  // its own list again
      {"1", nullptr, false},       {"2", "C:\\old.exe", false},
  };
  for (const auto& c : cases) {
    world_.Put(kCfg, "opts5", c.confirm);
    world_.store.DeleteValue(kCmd, "Fn-E");
    if (c.command) world_.Put(kCmd, "Fn-E", c.command);
    world_.session.PrevCommand = "before";
    ExplorerModel model = Model(ExplorerMode::Popup);
    EXPECT_FALSE(model.CanConfirm());
    model.ChooseFolder({"C:\\Menu", "Menu", "", ""});
    EXPECT_TRUE(model.CanConfirm());
    const ExplorerModel::Outcome outcome = model.Ok();
    EXPECT_EQ(outcome.confirm, c.asks) << c.confirm << " " << (c.command ? c.command : "-");
    EXPECT_FALSE(outcome.editor);
    if (c.asks) {
      EXPECT_EQ(world_.Text(kCmd, "Fn-E"), c.command);
      EXPECT_EQ(TakeLog(), Lines{});
    } else {
      EXPECT_EQ(world_.Text(kCmd, "Fn-E"), "@C:\\Menu");
      EXPECT_EQ(world_.Text(kDesc, "Fn-E"), "Menu");
      EXPECT_EQ(world_.Text(fakes::layout::Prg("Fn-E"), "FileCount"), "2");
      EXPECT_EQ(world_.Text(fakes::layout::PrgItem("Fn-E", "Word"), "Word"), "C:\\Menu\\Word.lnk");
      EXPECT_EQ(world_.session.PrevCommand, "");
      EXPECT_EQ(TakeLog(), Lines{"refresh-marks"});
    }
  }
}

TEST_F(ExplorerOk, AnEmptyOrVanishedFolderClosesWithoutAChange) {
  world_.Put(kCfg, "opts5", "0");
  world_.Put(kCmd, "Fn-E", "C:\\old.exe");
  for (const char* folder : {"C:\\Nothing", "C:\\Removed"}) {
    ExplorerModel model = Model(ExplorerMode::Popup);
    model.ChooseFolder({folder, "X", "", ""});
    EXPECT_EQ(world_.session.ExplorerItemCount, 0);
    const ExplorerModel::Outcome outcome = model.Ok();
    EXPECT_FALSE(outcome.confirm);
    EXPECT_EQ(world_.Text(kCmd, "Fn-E"), "C:\\old.exe") << folder;
    EXPECT_EQ(TakeLog(), Lines{});
  }
}

TEST_F(ExplorerOk, ApplicationModeHandsTheEditorAProgramOrAShortcutsTarget) {
  shortcuts_.SetText(0, "D:\\Apps\\Word\\winword.exe");
  files_.AddFile("C:\\Menu", "Broken.lnk");
  files_.AddFile("C:\\Menu", "README");
  const struct {
    const char* file;
    bool readable;
    EditorFields fields;
  } cases[] = {
      {"calc.exe", true, {"calc", "C:\\Menu\\calc.exe", "C:\\Menu"}},
      {"Word.lnk", true, {"Word", "D:\\Apps\\Word\\winword.exe", "D:\\Apps\\Word"}},
      // Unreadable: the shortcut itself, never an empty command.
      {"Broken.lnk", false, {"Broken", "C:\\Menu\\Broken.lnk", "C:\\Menu"}},
      {"README", true, {"README", "C:\\Menu\\README", "C:\\Menu"}},
  };
  for (const auto& c : cases) {
    shortcuts_.SetResult(c.readable ? platform::kShortcutSuccess : 1);
    ExplorerModel model = Model(ExplorerMode::Application);
    const core::FileListing& listing = model.ChooseFolder({"C:\\Menu", "Menu", "", ""});
    EXPECT_FALSE(model.CanConfirm()) << "a folder is no application";
    for (const core::ListedFile& item : listing.Items()) {
      if (item.name == c.file) model.ChooseFile(item);
    }
    ASSERT_TRUE(model.CanConfirm());
    const ExplorerModel::Outcome outcome = model.Ok();
    ASSERT_TRUE(outcome.editor) << c.file;
    EXPECT_EQ(*outcome.editor, c.fields) << c.file;
  }
  EXPECT_EQ(TakeLog(), Lines{}) << "application mode writes nothing";
}

TEST(BrowseStartFolder, StartsInTheCommandsFolderOrWhereProgramsAre) {
  const char* programs = "C:\\Me\\Programs";
  const struct {
    const char* command;
    std::string folder;
  } cases[] = {
      {"C:\\Tools\\run.exe", "C:\\Tools"},
      {"  \"C:\\Program Files\\App\\app.exe\" -x C:\\data\\y", "C:\\Program Files\\App"},
      {"C:\\run.exe", "C:\\"},
      {"notepad.exe", programs},
      {"", programs},
      {"\"unclosed", programs},
  };
  for (const auto& c : cases)
    EXPECT_EQ(BrowseStartFolder(c.command, programs), c.folder) << c.command;
}

}  // namespace
}  // namespace keylark::dialogs
