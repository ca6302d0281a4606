// The Application Explorer over an in-memory Start menu: the merged tree, what
// a folder's list shows and counts, and what OK writes or hands to the editor.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/file_listing.h"
#include "core/path_split.h"
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

constexpr const char* kUser = "C:\\Me\\Programs";

// Each node as "parent's text/text", with "+" and the folder merged into it.
Lines Render(const FolderTree& tree) {
  Lines lines;
  for (const FolderNode& node : tree.Nodes()) {
    const FolderNode* parent = tree.Find(node.parent_key);
    lines.push_back((parent ? parent->text : std::string()) + "/" + node.text +
                    (node.tag.empty() ? "" : " +" + node.tag));
  }
  return lines;
}

TEST(ExplorerTree, MergesTheTwoProgramsFolders) {
  // Only the user's folder or both; folders below C:\, "!" before a hidden one's name.
  const std::tuple<bool, Lines, Lines> cases[] = {
      {true, {"All\\Office", "Me\\Games", "Me\\Games\\Cards"}, {"/Games", "Games/Cards"}},
      // A hidden folder ends its parent's listing; a name in both is one node.
      {false,
       {"All\\Accessories", "All\\Office", "All\\Office\\Tools", "All\\!Secret", "All\\Zip",
        "Me\\Games", "Me\\Accessories"},
       {"/Accessories +C:\\Me\\Accessories", "/Office", "Office/Tools", "/Games"}},
      // Below a merged node only the user's folders already in the tree count.
      {false,
       {"All\\Accessories", "All\\Accessories\\System Tools", "Me\\Accessories",
        "Me\\Accessories\\Extra", "Me\\Accessories\\System Tools"},
       {"/Accessories +C:\\Me\\Accessories",
        "Accessories/System Tools +C:\\Me\\Accessories\\System Tools"}},
  };
  for (const auto& [user_only, folders, nodes] : cases) {
    fakes::FakeFileSystem files;
    for (const std::string& folder : folders) {
      const std::string name = core::FileOfPath(folder);
      const bool hidden = name[0] == '!';
      files.AddSubfolder("C:\\" + core::FolderOfPath(folder), name.substr(hidden),
                         hidden ? platform::kHiddenAttribute : 0);
    }
    EXPECT_EQ(Render(BuildProgramTree(files, {"C:\\All", "C:\\Me"}, user_only)), nodes);
  }
  fakes::FakeFileSystem none;
  EXPECT_TRUE(BuildProgramTree(none, {"", "C:\\Gone"}, false).Nodes().empty());
}

TEST(ListCaption, KeepsEighteenCharactersAndCutsLongerNamesToFifteen) {
  std::string kana19;
  for (int i = 0; i < 19; ++i) kana19 += "\u3042";
  const std::pair<std::string, std::string> cases[] = {
      {"Twenty-two_charact.lnk", "Twenty-two_charact"},
      {"Twenty-three_charact.lnk", "Twenty-three_ch..."},
      {"Readme", "Re"},                                 // no extension: still four characters less
      {kana19 + ".lnk", kana19.substr(0, 45) + "..."},  // characters, not bytes
  };
  for (const auto& [name, caption] : cases) EXPECT_EQ(core::ListCaption(name), caption) << name;
}

TEST(FileListing, SkipsHiddenFilesAndCountsDuplicatesOfTheSecondFolder) {
  fakes::FakeFileSystem files;
  for (const char* name : {"Word.lnk", "Calc.lnk"}) files.AddFile("C:\\A", name);
  files.AddFile("C:\\A", "desktop.ini", platform::kHiddenAttribute);
  for (const char* name : {"Paint.lnk", "Calc.lnk"}) files.AddFile("C:\\B", name);
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
  EXPECT_EQ(core::CountListedFiles(files, "C:\\Gone", "C:\\A"), 2);
  EXPECT_EQ(core::CountListedFiles(files, "C:\\A", ""), 2);
}

class ExplorerOk : public fakes::WorldTest {
 protected:
  ExplorerOk() {
    world_.SelectKey("Fn-E", 10);
    files_.AddFile("C:\\Menu", "Word.lnk");
    files_.AddFile("C:\\Menu", "calc.exe");
  }
  ExplorerModel Model(ExplorerMode mode) {
    return ExplorerModel(world_.session, world_.store, world_.host, files_, shortcuts_, mode);
  }

  fakes::FakeFileSystem files_;
  fakes::FakeShortcutLibrary shortcuts_;
};

TEST_F(ExplorerOk, PopupModeSavesAtOnceOrAsksAsTheTableSays) {
  // "opts5", the key's command before (nullptr: none), the folder; asks, saves.
  const std::tuple<const char*, const char*, const char*, bool, bool> cases[] = {
      {"0", "C:\\old.exe", "C:\\Menu", false, true},
      {"1", "C:\\old.exe", "C:\\Menu", true, false},
      {"1", "@C:\\Menu", "C:\\Menu", false, true},  // its own list again
      {"1", nullptr, "C:\\Menu", false, true},
      {"2", "C:\\old.exe", "C:\\Menu", false, true},
      {"0", "C:\\old.exe", "C:\\Nothing", false, false},  // empty or vanished: no change
  };
  for (const auto& [confirm, command, folder, asks, saves] : cases) {
    SCOPED_TRACE(std::string(confirm) + " " + (command ? command : "-") + " " + folder);
    world_.Put(kCfg, "opts5", confirm);
    world_.store.DeleteValue(kCmd, "Fn-E");
    if (command) world_.Put(kCmd, "Fn-E", command);
    world_.session.PrevCommand = "before";
    world_.log.clear();
    ExplorerModel model = Model(ExplorerMode::Popup);
    EXPECT_FALSE(model.CanConfirm());
    model.ChooseFolder({folder, "Menu", "", ""});
    const ExplorerModel::Outcome outcome = model.Ok();
    EXPECT_EQ(outcome.confirm, asks);
    EXPECT_FALSE(outcome.editor);
    EXPECT_EQ(world_.Text(kCmd, "Fn-E"), saves ? "@C:\\Menu" : command);
    EXPECT_EQ(world_.session.PrevCommand, saves ? "" : "before");
    EXPECT_EQ(world_.log, saves ? Lines{"refresh-marks"} : Lines{});
    if (saves) {
      EXPECT_EQ(world_.Text(kDesc, "Fn-E"), "Menu");
    }
  }
}

TEST_F(ExplorerOk, ApplicationModeHandsTheEditorAProgramOrAShortcutsTarget) {
  shortcuts_.SetText(0, "D:\\Apps\\Word\\winword.exe");
  const std::tuple<const char*, bool, EditorFields> cases[] = {
      // file, readable, fields
      {"calc.exe", true, {"calc", "C:\\Menu\\calc.exe", "C:\\Menu"}},
      {"Word.lnk", true, {"Word", "D:\\Apps\\Word\\winword.exe", "D:\\Apps\\Word"}},
      // Unreadable: the shortcut itself, never an empty command.
      {"Broken.lnk", false, {"Broken", "C:\\Menu\\Broken.lnk", "C:\\Menu"}},
  };
  for (const auto& [file, readable, fields] : cases) {
    shortcuts_.SetResult(readable ? platform::kShortcutSuccess : 1);
    ExplorerModel model = Model(ExplorerMode::Application);
    model.ChooseFolder({"C:\\Menu", "Menu", "", ""});
    EXPECT_FALSE(model.CanConfirm()) << "a folder is no application";
    model.ChooseFile({file, "", "C:\\Menu"});
    EXPECT_EQ(model.Ok().editor, fields) << file;
  }
  EXPECT_EQ(world_.log, Lines{}) << "application mode writes nothing";
}

TEST(BrowseStartFolder, StartsInTheCommandsFolderOrWhereProgramsAre) {
  const std::pair<const char*, std::string> cases[] = {
      {"  \"C:\\Program Files\\App\\app.exe\" -x C:\\data\\y", "C:\\Program Files\\App"},
      {"C:\\run.exe", "C:\\"},
      {"notepad.exe", kUser},
      {"\"unclosed", kUser},
  };
  for (const auto& [command, folder] : cases) {
    EXPECT_EQ(BrowseStartFolder(command, kUser), folder) << command;
  }
}

}  // namespace
}  // namespace keylark::dialogs
