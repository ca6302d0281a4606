// The assignment dialogs' decisions, table by table: what loading, Clear and
// OK read and write for each kind of key and each "Confirm Changes" setting.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "contract/registry_contract.h"
#include "dialogs/assign_type.h"
#include "dialogs/confirmation.h"
#include "dialogs/edit_command.h"
#include "fakes/fake_file_chooser.h"
#include "fakes/fake_filesystem.h"
#include "fakes/fake_shortcut_library.h"
#include "fakes/key_bar_world.h"

namespace keylark::dialogs {
namespace {

using ::testing::ElementsAreArray;
using Opt = std::optional<std::string>;

using fakes::layout::kCfg;
using fakes::layout::kCmd;
using fakes::layout::kCwd;
using fakes::layout::kDesc;
using fakes::layout::kOpts;

class DialogModelTest : public fakes::WorldTest {
 protected:
  DialogModelTest() {
    world_.SelectKey("Fn-E", 10);
    world_.Put(kCfg, "opts2", "1");  // the configuration key exists, as after the first start
  }

  void Seed(const Opt& confirm, bool assigned) {
    if (confirm) world_.Put(kCfg, "opts5", *confirm);
    if (assigned) {
      world_.Put(kCmd, "Fn-E", "C:\\old.exe");
      world_.Put(kDesc, "Fn-E", "Old");
      world_.Put(kCwd, "Fn-E", "C:\\");
    }
    // As the key bar's right click looks it up.
    world_.session.CurrentKeyLookup = assigned ? 0 : 2;
  }
  // The previous assignment as the Assignment Type dialog loads it.
  void LoadPrevious(bool assigned) {
    world_.session.PrevDescription = assigned ? "Old" : "";
    world_.session.PrevCommand = assigned ? "C:\\old.exe" : "";
    world_.session.PrevDirectory = assigned ? "C:\\" : "";
  }
  Opt Read(const std::string& path, const char* name) { return world_.Text(path, name); }
  std::vector<std::string> TakeLog() { return std::exchange(world_.log, {}); }

  fakes::FakeFileSystem files_;
};

using Clear = AssignTypeModel::ClearOutcome;
using Log = std::vector<std::string>;

TEST_F(DialogModelTest, TheAssignmentTypeLoadsThePreviousAssignmentAndClearsOrAsksFirst) {
  const struct {
    Opt confirm;
    bool assigned;
    bool shown_checked;
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
    world_.store.DeleteValue(kCfg, "opts5");
    Seed(c.confirm, c.assigned);
    world_.session.PrevDirectory = "D:\\from another key";
    AssignTypeModel model(world_.session, world_.store, world_.host);
    TakeLog();

    const AssignTypeModel::Shown shown = model.Load();
    EXPECT_EQ(shown.key_name, "Fn-E");
    EXPECT_EQ(shown.confirm_changes, c.shown_checked);
    EXPECT_EQ(Read(kCfg, "opts5"), c.confirm_after_load);
    EXPECT_EQ(world_.session.PrevCommand, c.assigned ? "C:\\old.exe" : "");
    EXPECT_EQ(world_.session.PrevDirectory, c.assigned ? "C:\\" : "");
    EXPECT_EQ(world_.session.PrevDescription, c.assigned ? "Old" : "");
    EXPECT_EQ(model.EditorPrefill().has_value(), c.assigned);

    EXPECT_EQ(model.Clear(shown.confirm_changes), c.clear);
    EXPECT_EQ(Read(kCmd, "Fn-E"),
              c.clear == Clear::AskConfirmation ? Opt("C:\\old.exe") : std::nullopt);
    EXPECT_EQ(TakeLog(), c.log);
  }
}

using Save = EditCommandModel::SaveOutcome;
const EditorFields kOld{"Old", "C:\\old.exe", "C:\\"};
const EditorFields kNew{"New", "C:\\new.exe", "C:\\"};

TEST_F(DialogModelTest, OkInTheEditorStoresAtOnceOrHandsTheChangeOver) {
  const struct {
    const char* name;
    Opt confirm;
    bool assigned;
    EditorFields fields;
    Save outcome;
    Opt command_after;
    Opt description_after;
  } cases[] = {
      {"a new key is written even when confirming", "1", false, kNew, Save::Saved, "C:\\new.exe",
       "New"},
      {"a change is confirmed", "1", true, kNew, Save::AskConfirmation, "C:\\old.exe", "Old"},
      {"a missing opts5 confirms", std::nullopt, true, kNew, Save::AskConfirmation, "C:\\old.exe",
       "Old"},
      {"no change writes nothing", "1", true, kOld, Save::Unchanged, "C:\\old.exe", "Old"},
      {"without confirming it writes", "0", true, kOld, Save::Saved, "C:\\old.exe", "Old"},
      {"an empty command unassigns",
       "0",
       true,
       {"Named", "", ""},
       Save::Saved,
       std::nullopt,
       "Named"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    contract::DeleteTree(world_.registry, platform::Root::CurrentUser, fakes::layout::kMaker);
    world_.Put(kCfg, "opts2", "1");
    Seed(c.confirm, c.assigned);
    LoadPrevious(c.assigned);
    EditCommandModel model(world_.session, world_.store, world_.host);
    model.Load();
    TakeLog();

    EXPECT_EQ(model.Save(c.fields, false), c.outcome);
    EXPECT_EQ(Read(kCmd, "Fn-E"), c.command_after);
    EXPECT_EQ(Read(kDesc, "Fn-E"), c.description_after);
    const bool saved = c.outcome == Save::Saved;
    EXPECT_EQ(Read(kOpts, "Fn-E"), saved ? Opt("0") : Opt("1"));
    if (saved) {
      EXPECT_EQ(world_.session.PrevCommand, "") << "a save forgets the previous one";
    }
    EXPECT_EQ(TakeLog(), saved && !c.fields.command.empty() ? Log{"assigned 10"} : Log{});
  }
}

// Any number but zero is on, as for launching; opening the editor leaves the
// stored text as it is.
TEST_F(DialogModelTest, TheSwitchBoxShowsTheStoredFlagOfADescribedKeyAndStoresAtOnce) {
  Seed("1", true);
  LoadPrevious(true);
  EditCommandModel model(world_.session, world_.store, world_.host);
  const std::pair<const char*, bool> flags[] = {
      {"2", true}, {"-1", true}, {" 1", true}, {"0", false}};
  for (const auto& [flag, on] : flags) {
    world_.Put(kOpts, "Fn-E", flag);
    EXPECT_EQ(model.Load().switch_to_running, on) << flag;
    EXPECT_EQ(Read(kOpts, "Fn-E"), flag);
  }
  model.SetSwitchToRunning(true);
  EXPECT_EQ(Read(kOpts, "Fn-E"), "1");

  // Without a description the box keeps its design state.
  world_.session.PrevDescription.clear();
  EXPECT_TRUE(model.Load().switch_to_running);
}

TEST_F(DialogModelTest, LoadingAnAssignedKeyMakesMissingSwitchFlagsForAllKeys) {
  Seed("1", true);
  LoadPrevious(true);
  EXPECT_TRUE(EditCommandModel(world_.session, world_.store, world_.host).Load().switch_to_running);
  EXPECT_EQ(Read(kOpts, "Fn-E"), "1");
  EXPECT_EQ(Read(kOpts, "Fn-Z"), "0");
}

struct ConfirmCase {
  const char* name;
  HandOver source;
  EditorFields next_shown;
  Opt command_after;
  Opt description_after;
};

class ConfirmationTable : public DialogModelTest,
                          public ::testing::WithParamInterface<ConfirmCase> {};

TEST_P(ConfirmationTable, OkStoresWhatTheNewFrameShows) {
  const ConfirmCase& c = GetParam();
  world_.Put(kCmd, "Fn-E", "@C:\\Menu\\Old");
  world_.Put(kDesc, "Fn-E", "Old menu");
  world_.Put(kCwd, "Fn-E", "");
  world_.AddPopupItem("Fn-E", "Stale", "C:\\Menu\\Old\\Stale.lnk");
  world_.session.CurrentKeyLookup = 0;
  AssignTypeModel(world_.session, world_.store, world_.host).Load();
  files_.AddFile("C:\\Menu\\Games", "Chess.lnk");
  world_.session.ExplorerFolder = "C:\\Menu\\Games";
  world_.session.ExplorerCaption = "Games";
  world_.session.ExplorerItemCount = 1;
  ConfirmationModel model(world_.session, world_.store, world_.host, files_, c.source, kNew);

  const ConfirmationModel::Shown shown = model.Load();
  EXPECT_EQ(shown.previous, (EditorFields{"Old menu", "Popup List...C:\\Menu\\Old", ""}));
  EXPECT_EQ(shown.next, c.next_shown);
  TakeLog();
  model.Ok(shown);

  EXPECT_EQ(Read(kCmd, "Fn-E"), c.command_after);
  EXPECT_EQ(Read(kDesc, "Fn-E"), c.description_after);
  EXPECT_FALSE(Read(fakes::layout::PrgItem("Fn-E", "Stale"), "Stale"));
  EXPECT_EQ(Read(fakes::layout::PrgItem("Fn-E", "Chess"), "Chess").has_value(),
            c.source == HandOver::Explorer);
  EXPECT_THAT(TakeLog(), ElementsAreArray({"refresh-marks", "enable-key-bar"}));
  EXPECT_EQ(world_.session.PrevCommand, "");
}

INSTANTIATE_TEST_SUITE_P(
    Sources, ConfirmationTable,
    ::testing::Values(
        ConfirmCase{"EditedCommand", HandOver::EditCommand, kNew, "C:\\new.exe", "New"},
        ConfirmCase{"Cleared", HandOver::Clear, EditorFields{"", "none", ""}, std::nullopt, ""},
        ConfirmCase{"PopupList", HandOver::Explorer,
                    EditorFields{"Games", "Popup List...C:\\Menu\\Games", ""}, "@C:\\Menu\\Games",
                    "Games"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogModelTest, CancellingAConfirmationStoresNothing) {
  Seed("1", true);
  ConfirmationModel model(world_.session, world_.store, world_.host, files_, HandOver::EditCommand,
                          kNew);
  model.Cancel();
  EXPECT_EQ(Read(kCmd, "Fn-E"), "C:\\old.exe");
  EXPECT_THAT(TakeLog(), ElementsAreArray({"enable-key-bar"}));
}

TEST(BrowseTest, AChosenFileFillsTheEditorAndAShortcutGivesItsTarget) {
  fakes::FakeShortcutLibrary shortcuts;
  EXPECT_EQ(FieldsForChosenFile("C:\\run.exe", shortcuts),
            (EditorFields{"run.exe", "C:\\run.exe", "C:\\"}));
  EXPECT_EQ(FieldsForChosenFile("C:\\Tools\\Readme.LNK", shortcuts),
            (EditorFields{"Readme.LNK", "C:\\Tools\\Readme.LNK", "C:\\Tools"}));
  shortcuts.SetText(0, "D:\\Apps\\Editor\\edit.exe");
  EXPECT_EQ(FieldsForChosenFile("C:\\Menu\\Editor.lnk", shortcuts),
            (EditorFields{"edit.exe", "D:\\Apps\\Editor\\edit.exe", "D:\\Apps\\Editor"}));
  shortcuts.SetResult(1);
  EXPECT_FALSE(FieldsForChosenFile("C:\\Menu\\Broken.lnk", shortcuts));

  fakes::FakeFileChooser chooser;  // cancelled: nothing changes
  EXPECT_FALSE(BrowseForCommand(chooser, shortcuts, 7));
  EXPECT_EQ(chooser.asked->title, "Keylark Browser");
  EXPECT_EQ(chooser.asked->owner, 7U);
}

}  // namespace
}  // namespace keylark::dialogs
