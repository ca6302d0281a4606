// The assignment dialogs' decisions, table by table: what loading, Clear and
// OK read and write for each kind of key and each "Confirm Changes" setting,
// and what the list of assignments shows.
#include <gtest/gtest.h>

#include "contract/registry_contract.h"
#include "dialogs/assign_type.h"
#include "dialogs/assignment_list.h"
#include "dialogs/confirmation.h"
#include "dialogs/edit_command.h"
#include "fakes/fake_file_chooser.h"
#include "fakes/fake_filesystem.h"
#include "fakes/fake_shortcut_library.h"
#include "fakes/key_bar_world.h"

namespace keylark::dialogs {
namespace {

using Opt = std::optional<std::string>;
using Log = std::vector<std::string>;
using Clear = AssignTypeModel::ClearOutcome;
using Save = EditCommandModel::SaveOutcome;
using namespace fakes::layout;

const EditorFields kOld{"Old", "C:\\old.exe", "C:\\"};
const EditorFields kNew{"New", "C:\\new.exe", "C:\\"};
const std::string k5(5, ' ');
const std::string k25(25, ' ');

class DialogModelTest : public fakes::WorldTest {
 protected:
  // Fn-E chosen on the key bar, holding `stored` (no command: unassigned), with
  // "opts5" as given (none: absent); `loaded` as the Assignment Type dialog leaves it.
  void Seed(const Opt& confirm, const EditorFields& stored, bool loaded) {
    contract::DeleteTree(world_.registry, platform::Root::CurrentUser, kMaker);
    world_.SelectKey("Fn-E", 10);
    world_.Put(kCfg, "opts2", "1");  // the configuration key exists, as after the first start
    if (confirm) world_.Put(kCfg, "opts5", *confirm);
    const bool assigned = !stored.command.empty();
    for (const auto& [path, text] :
         {std::pair{kCmd, stored.command}, {kDesc, stored.description}, {kCwd, stored.directory}})
      if (assigned) world_.Put(path, "Fn-E", text);
    world_.session.CurrentKeyLookup = assigned ? 0 : 2;  // as the key bar's right click
    world_.session.PrevDescription = assigned && loaded ? stored.description : "";
    world_.session.PrevCommand = assigned && loaded ? stored.command : "";
    world_.session.PrevDirectory = loaded ? (assigned ? stored.directory : "") : "D:\\another key";
    world_.log.clear();
  }
  Opt Read(const std::string& path, const char* name) { return world_.Text(path, name); }

  fakes::FakeFileSystem files_;
};

TEST_F(DialogModelTest, TheAssignmentTypeLoadsThePreviousAssignmentAndClearsOrAsksFirst) {
  const struct {
    Opt confirm;
    bool assigned, shown_checked;
    Opt confirm_after_load;
    Clear clear;
    Log log;
  } cases[] = {
      {"1", false, true, "1", Clear::NothingStored, {"enable-key-bar"}},
      {"1", true, true, "1", Clear::AskConfirmation, {}},
      {"0", true, false, "0", Clear::Cleared, {"confirm-check off", "refresh-marks"}},
      {std::nullopt, true, false, "0", Clear::Cleared, {"confirm-check off", "refresh-marks"}},
      {"1 ", false, false, "0", Clear::NothingStored, {"confirm-check off", "enable-key-bar"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.confirm.value_or("<absent>") + (c.assigned ? " assigned" : " new"));
    Seed(c.confirm, c.assigned ? kOld : EditorFields{}, false);
    AssignTypeModel model(world_.session, world_.store, world_.host);
    const AssignTypeModel::Shown shown = model.Load();
    EXPECT_EQ(shown.confirm_changes, c.shown_checked);
    EXPECT_EQ(Read(kCfg, "opts5"), c.confirm_after_load);
    const EditorFields previous{world_.session.PrevDescription, world_.session.PrevCommand,
                                world_.session.PrevDirectory};
    EXPECT_EQ(previous, c.assigned ? kOld : EditorFields{});
    EXPECT_EQ(model.EditorPrefill().has_value(), c.assigned);

    EXPECT_EQ(model.Clear(shown.confirm_changes), c.clear);
    EXPECT_EQ(Read(kCmd, "Fn-E"), c.clear == Clear::AskConfirmation ? Opt(kOld.command) : Opt());
    EXPECT_EQ(world_.log, c.log);
  }
}

// A new key is written even when confirming; a missing "opts5" confirms; an
// empty command unassigns.
TEST_F(DialogModelTest, OkInTheEditorStoresAtOnceOrHandsTheChangeOver) {
  const struct {
    Opt confirm;
    bool assigned;
    EditorFields fields;
    Save outcome;
    Opt command_after, description_after;
  } cases[] = {
      {"1", false, kNew, Save::Saved, "C:\\new.exe", "New"},
      {"1", true, kNew, Save::AskConfirmation, "C:\\old.exe", "Old"},
      {std::nullopt, true, kNew, Save::AskConfirmation, "C:\\old.exe", "Old"},
      {"1", true, kOld, Save::Unchanged, "C:\\old.exe", "Old"},
      {"0", true, kOld, Save::Saved, "C:\\old.exe", "Old"},
      {"0", true, {"Named", "", ""}, Save::Saved, std::nullopt, "Named"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    Seed(c.confirm, c.assigned ? kOld : EditorFields{}, true);
    EditCommandModel model(world_.session, world_.store, world_.host);
    model.Load();
    world_.log.clear();
    EXPECT_EQ(model.Save(c.fields, false), c.outcome);
    EXPECT_EQ(Read(kCmd, "Fn-E"), c.command_after);
    EXPECT_EQ(Read(kDesc, "Fn-E"), c.description_after);
    const bool saved = c.outcome == Save::Saved;
    EXPECT_EQ(Read(kOpts, "Fn-E"), saved ? Opt("0") : Opt("1"));
    EXPECT_EQ(world_.session.PrevCommand.empty(), saved) << "a save forgets the previous one";
    EXPECT_EQ(world_.log, saved && !c.fields.command.empty() ? Log{"assigned 10"} : Log{});
  }
}

// Any number but zero is on, as for launching; opening the editor leaves the
// stored text as it is, and makes missing flags for all keys.
TEST_F(DialogModelTest, TheSwitchBoxShowsTheStoredFlagOfADescribedKeyAndStoresAtOnce) {
  Seed("1", kOld, true);
  EditCommandModel model(world_.session, world_.store, world_.host);
  EXPECT_TRUE(model.Load().switch_to_running);
  EXPECT_EQ(Read(kOpts, "Fn-E"), "1");
  EXPECT_EQ(Read(kOpts, "Fn-Z"), "0");
  for (const auto& [flag, on] : {std::pair{"2", true}, {"-1", true}, {" 1", true}, {"0", false}}) {
    world_.Put(kOpts, "Fn-E", flag);
    EXPECT_EQ(model.Load().switch_to_running, on) << flag;
    EXPECT_EQ(Read(kOpts, "Fn-E"), flag);
  }
  model.SetSwitchToRunning(true);
  EXPECT_EQ(Read(kOpts, "Fn-E"), "1");
  world_.session.PrevDescription.clear();  // the box keeps its design state
  EXPECT_TRUE(model.Load().switch_to_running);
}

TEST_F(DialogModelTest, TheConfirmationStoresWhatTheNewFrameShowsOrNothingWhenCancelled) {
  const EditorFields kGamesList{"Games", "Popup List...C:\\Menu\\Games", ""};
  const struct {
    HandOver source;
    EditorFields next_shown;
    Opt command_after, description_after;
  } cases[] = {
      {HandOver::EditCommand, kNew, "C:\\new.exe", "New"},
      {HandOver::Clear, {"", "none", ""}, std::nullopt, ""},
      {HandOver::Explorer, kGamesList, "@C:\\Menu\\Games", "Games"},
  };
  files_.AddFile("C:\\Menu\\Games", "Chess.lnk");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.next_shown.command);
    Seed("1", {"Old menu", "@C:\\Menu\\Old", ""}, true);
    world_.AddPopupItem("Fn-E", "Stale", "C:\\Menu\\Old\\Stale.lnk");
    world_.session.ExplorerFolder = "C:\\Menu\\Games";
    world_.session.ExplorerCaption = "Games";
    world_.session.ExplorerItemCount = 1;
    ConfirmationModel model(world_.session, world_.store, world_.host, files_, c.source, kNew);
    const ConfirmationModel::Shown shown = model.Load();
    EXPECT_EQ(shown.previous, (EditorFields{"Old menu", "Popup List...C:\\Menu\\Old", ""}));
    EXPECT_EQ(shown.next, c.next_shown);
    world_.log.clear();
    model.Ok(shown);
    EXPECT_EQ(Read(kCmd, "Fn-E"), c.command_after);
    EXPECT_EQ(Read(kDesc, "Fn-E"), c.description_after);
    EXPECT_FALSE(Read(PrgItem("Fn-E", "Stale"), "Stale"));
    EXPECT_EQ(Read(PrgItem("Fn-E", "Chess"), "Chess").has_value(), c.source == HandOver::Explorer);
    EXPECT_EQ(world_.log, (Log{"refresh-marks", "enable-key-bar"}));
    EXPECT_EQ(world_.session.PrevCommand, "");
  }
  Seed("1", kOld, false);
  ConfirmationModel(world_.session, world_.store, world_.host, files_, HandOver::EditCommand, kNew)
      .Cancel();
  EXPECT_EQ(Read(kCmd, "Fn-E"), "C:\\old.exe");
  EXPECT_EQ(world_.log, Log{"enable-key-bar"});
}

TEST_F(DialogModelTest, TheListFollowsTheKeyTableKeepsItsExpandChoiceAndPicksTheCurrentKey) {
  world_.Put(kCmd, "Fn-1", "C:\\run.exe");       // direct, no description
  world_.Put(kCmd, "Fn-A", "@C:\\Menu\\Games");  // popup with items
  world_.Put(kDesc, "Fn-A", "Games");
  world_.AddPopupItem("Fn-A", "Solitaire", "C:\\Menu\\Games\\Solitaire.lnk");
  world_.AddPopupItem("Fn-A", "Chess", "C:\\Menu\\Games\\Chess.lnk");
  world_.Put(Prg("Fn-A"), "FileCount", "2");     // a value: never a row
  world_.Put(kDesc, "Fn-B", "Only described");   // description without command
  world_.Put(kCmd, "Fn-C", "@C:\\Empty");        // popup without a list key
  world_.Put(kCmd, "Fn-D", "C:\\reserved.exe");  // reserved: never listed
  world_.Reserve("D");

  const std::vector<ListRow> rows = FnKeyList(world_.store, world_.session.FnKeyNames, true);
  ASSERT_EQ(rows.size(), 23U + 2U);
  EXPECT_EQ(rows[0], (ListRow{"Fn-1", k5 + "Fn-1", RowImage::Application}));
  EXPECT_EQ(rows[6], (ListRow{"Fn-A", k5 + "Fn-A" + k5 + "Games", RowImage::PopupFolder}));
  EXPECT_EQ(rows[7], (ListRow{"", k25 + "Chess", RowImage::ListItem}));
  EXPECT_EQ(rows[8], (ListRow{"", k25 + "Solitaire", RowImage::ListItem}));
  EXPECT_EQ(rows[9], (ListRow{"Fn-B", k5 + "Fn-B" + k5 + "Only described", RowImage::Application}));
  EXPECT_EQ(rows[10], (ListRow{"Fn-C", k5 + "Fn-C", RowImage::PopupFolder}));
  EXPECT_EQ(rows[11], (ListRow{"Fn-E", k5 + "Fn-E", RowImage::Application})) << "Fn-D is reserved";
  EXPECT_EQ(rows.back().key, "Fn-Z");

  const std::vector<ListRow> collapsed = FnKeyList(world_.store, world_.session.FnKeyNames, false);
  EXPECT_EQ(collapsed.size(), 23U);
  EXPECT_EQ(collapsed[7].key, "Fn-B");

  AssignmentListModel model(world_.session, world_.store);
  EXPECT_FALSE(model.InitialView()) << "fIcon missing: an empty list";
  world_.Put(kCfg, "fIcon", "0");
  EXPECT_EQ(model.InitialView(), false);
  model.SetExpanded(true);
  EXPECT_EQ(world_.Text(kCfg, "fIcon"), "1");
  EXPECT_EQ(model.InitialView(), true);

  EXPECT_TRUE(model.Pick("Fn-1"));
  EXPECT_EQ(world_.session.CurrentKeyName, "Fn-1");
  EXPECT_EQ(world_.session.CurrentKeyLookup, 0);
  EXPECT_TRUE(model.CanOpenPicked());
  EXPECT_FALSE(model.Pick(""));  // an item row
  EXPECT_FALSE(model.CanOpenPicked());
  EXPECT_NE(world_.session.CurrentKeyLookup, 0);
}

TEST(BrowseTest, AChosenFileFillsTheEditorAndAShortcutGivesItsTarget) {
  fakes::FakeShortcutLibrary shortcuts;
  fakes::FakeFileSystem files;
  const ChosenFileReaders readers{shortcuts, files};
  EXPECT_EQ(FieldsForChosenFile("C:\\Tools\\Readme.LNK", readers),
            (EditorFields{"Readme.LNK", "C:\\Tools\\Readme.LNK", "C:\\Tools"}));
  shortcuts.SetText(0, "D:\\Apps\\Editor\\edit.exe");
  EXPECT_EQ(FieldsForChosenFile("C:\\Menu\\Editor.lnk", readers),
            (EditorFields{"edit.exe", "D:\\Apps\\Editor\\edit.exe", "D:\\Apps\\Editor"}));
  shortcuts.SetResult(1);
  EXPECT_FALSE(FieldsForChosenFile("C:\\Menu\\Broken.lnk", readers));

  fakes::FakeFileChooser chooser;  // cancelled: nothing changes
  EXPECT_FALSE(BrowseForCommand(chooser, readers, 7, {"Browser", "All|*.*"}));
  EXPECT_EQ(chooser.asked->title, "Browser");
  EXPECT_EQ(chooser.asked->owner, 7U);
}

}  // namespace
}  // namespace keylark::dialogs
