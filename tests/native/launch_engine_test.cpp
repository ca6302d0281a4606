#include "launch/launch_engine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/key_bar_world.h"
#include "store/store_operations.h"

namespace keylark::launch {
namespace {

using core::WindowState;
using fakes::FakeKeyBarHost;
using ::testing::ElementsAre;

constexpr platform::WindowHandle kOtherWindow = 300;
constexpr platform::WindowHandle kAppWindow = 400;

std::string Foreground(platform::WindowHandle window) {
  return "foreground " + std::to_string(window);
}

class LaunchKeyTest : public fakes::WorldTest {
 protected:
  void SetUp() override { world_.SelectKey("Fn-E", 10); }

  const fakes::CallLog& Launch() {
    world_.log.clear();
    LaunchKey(world_.launch);
    return world_.log;
  }
};

// --- Unassigned keys -------------------------------------------------------

TEST_F(LaunchKeyTest, AnUnassignedKeyOpensTheAssignmentDialogOrOnlyBringsWindowsForward) {
  using Calls = std::vector<std::string>;
  const auto kBar = FakeKeyBarHost::kKeyBarWindow;
  const Calls bar_forward = {Foreground(kBar)};
  const Calls dialog_forward = {Foreground(FakeKeyBarHost::kDialogWindow)};
  const struct {
    bool dialog_open;
    WindowState state;
    platform::WindowHandle front;
    Calls expected;
  } cases[] = {
      {false, WindowState::Normal, kBar, {"assign-type-modal"}},
      {false, WindowState::Normal, kOtherWindow, {"assign-type-modal", Foreground(kBar)}},
      {false, WindowState::Minimized, kOtherWindow, {"assign-type-modeless"}},
      {false, WindowState::Maximized, kOtherWindow, {}},
      {true, WindowState::Normal, kBar, {}},
      {true, WindowState::Normal, kOtherWindow, bar_forward},
      {true, WindowState::Minimized, kOtherWindow, dialog_forward},
      {true, WindowState::Maximized, kOtherWindow, dialog_forward},
  };
  for (const auto& c : cases) {
    world_.session.EditCommandOpen = c.dialog_open;
    world_.host.state = c.state;
    world_.host.active_form = c.dialog_open ? FakeKeyBarHost::kDialogWindow : kBar;
    world_.shell.foreground = c.front;
    EXPECT_EQ(Launch(), c.expected) << "case " << (&c - cases);
    EXPECT_EQ(world_.session.CurrentKeyLookup, platform::kFileNotFound);
  }
}

// --- Direct keys -----------------------------------------------------------

TEST_F(LaunchKeyTest, OnlyANonZeroNumericSwitchFlagSwitches) {
  world_.AssignDirect("Fn-E", "C:\\Tools\\run.exe /x");
  const std::vector<std::pair<std::optional<std::string>, bool>> flags = {
      {std::nullopt, false}, {"", false}, {"0", false},   {"abc", false},
      {"1", true},           {"2", true}, {"1abc", true}, {"-1", true}};
  for (const auto& [flag, switches] : flags) {
    world_.session.LabelTags[10] = "0";
    if (flag) world_.SetSwitchFlag("Fn-E", *flag);
    const std::string expected =
        switches ? "start C:\\Tools\\run.exe /x" : "shell-open C:\\Tools\\run.exe | /x";
    EXPECT_THAT(Launch(), ElementsAre(expected)) << "flag " << flag.value_or("<absent>");
  }
  EXPECT_EQ(world_.session.CurrentKeyLookup, 0) << "the command was found";
}

// A program followed by many arguments easily passes a kilobyte.
TEST_F(LaunchKeyTest, ACommandOfSeveralKilobytesIsReadWholeLaunchesAndCountsAsAssigned) {
  std::string arguments = "/x";
  while (arguments.size() < 3000) arguments += " C:\\Data\\file" + std::to_string(arguments.size());
  world_.AssignDirect("Fn-E", "C:\\run.exe " + arguments);
  EXPECT_THAT(Launch(), ElementsAre("shell-open C:\\run.exe | " + arguments));
  EXPECT_TRUE(store::ReadKeyMarks(world_.store, world_.session.FnKeyNames)[10].assigned);
}

TEST_F(LaunchKeyTest, MinimizeOnUseMinimizesAfterADirectStart) {
  world_.AssignDirect("Fn-E", "run.exe");
  world_.SetMinimizeOnUse("1");
  EXPECT_THAT(Launch(), ElementsAre("shell-open run.exe", "state minimized"));
  world_.SetSwitchFlag("Fn-E", "1");
  world_.shell.foreground_after_start = kAppWindow;
  EXPECT_THAT(Launch(), ElementsAre("start run.exe", "state minimized"));
  // Brought forward instead of started: minimized as well.
  world_.shell.foreground = FakeKeyBarHost::kKeyBarWindow;
  EXPECT_THAT(Launch(),
              ElementsAre("snapshot", "show 400 5", Foreground(kAppWindow), "state minimized"));
}

TEST_F(LaunchKeyTest, TheKeyBarStaysWhenNothingStartedOrTheShellHadToStepIn) {
  world_.AssignDirect("Fn-E", "notes.txt");
  world_.SetSwitchFlag("Fn-E", "1");
  world_.SetMinimizeOnUse("1");
  world_.shell.not_programs.insert("notes.txt");
  EXPECT_THAT(Launch(), ElementsAre("start notes.txt", "shell-open notes.txt"));

  world_.session.LabelTags[10] = "4660";
  world_.shell.snapshot_fails = true;
  EXPECT_THAT(Launch(), ElementsAre("snapshot"));
  EXPECT_EQ(world_.host.state, WindowState::Normal);
}

// --- Popup keys ------------------------------------------------------------

TEST_F(LaunchKeyTest, APopupKeyShowsItsListOrOpensItsFolder) {
  using Text = std::optional<std::string>;
  const std::vector<std::string> list = {"popup-list"};
  const std::vector<std::string> folder = {"shell-open C:\\Start Menu\\Tools"};
  const struct {
    Text file_count;
    Text minimize_on_use;
    std::vector<std::string> expected;
  } cases[] = {
      {std::nullopt, "0", {}},  // no count: nothing at all
      {"0", "0", folder},
      {"none", "0", folder},  // a count without a number is 0
      {"3", "0", list},
      {std::nullopt, "1", list},  // minimizing shows the list whatever its count
      {"0", "1", list},
  };
  world_.AssignDirect("Fn-E", "@C:\\Start Menu\\Tools");
  world_.SetSwitchFlag("Fn-E", "1");  // a popup key takes no notice of it
  for (const auto& c : cases) {
    world_.store.DeleteValue(fakes::layout::Prg("Fn-E"), "FileCount");
    if (c.file_count) world_.Put(fakes::layout::Prg("Fn-E"), "FileCount", *c.file_count);
    world_.SetMinimizeOnUse(*c.minimize_on_use);
    EXPECT_EQ(Launch(), c.expected) << "case " << (&c - cases);
    EXPECT_EQ(world_.host.state, WindowState::Normal) << "a popup key never minimizes by itself";
  }
}

// --- Switch-or-start -------------------------------------------------------

class SwitchOrStartTest : public LaunchKeyTest {
 protected:
  void SetUp() override {
    LaunchKeyTest::SetUp();
    world_.AssignDirect("Fn-E", "C:\\Apps\\editor.exe -n");
    world_.SetSwitchFlag("Fn-E", "1");
    world_.shell.foreground_after_start = kAppWindow;
  }
  platform::ProcessId RememberedId() const { return world_.session.LaunchedProcessIds[10]; }
  const std::string& RememberedTag() const { return world_.session.LabelTags[10]; }
};

TEST_F(SwitchOrStartTest, TheFirstUseStartsLaterOnesBringTheApplicationForwardUntilItEnds) {
  EXPECT_THAT(Launch(), ElementsAre("start C:\\Apps\\editor.exe -n"));
  EXPECT_EQ(RememberedId(), 1000U);
  EXPECT_EQ(RememberedTag(), "400");
  world_.shell.foreground = kOtherWindow;
  EXPECT_THAT(Launch(), ElementsAre("mouse -1 1", "mouse 1 1", "snapshot", "show 400 5",
                                    Foreground(kAppWindow)));
  world_.shell.iconic.insert(kAppWindow);
  world_.shell.foreground = FakeKeyBarHost::kKeyBarWindow;
  EXPECT_THAT(Launch(), ElementsAre("snapshot", "show 400 1", Foreground(kAppWindow)));
  world_.shell.EndProcess(1000);
  world_.shell.foreground = FakeKeyBarHost::kKeyBarWindow;
  world_.shell.foreground_after_start = 500;
  EXPECT_THAT(Launch(), ElementsAre("snapshot", "start C:\\Apps\\editor.exe -n"));
  EXPECT_EQ(RememberedId(), 1004U);
  EXPECT_EQ(RememberedTag(), "500");
}

TEST_F(SwitchOrStartTest, AFailedStartFallsBackToTheShellAndRemembersNothing) {
  world_.shell.not_programs.insert("C:\\Apps\\editor.exe -n");
  EXPECT_THAT(Launch(),
              ElementsAre("start C:\\Apps\\editor.exe -n", "shell-open C:\\Apps\\editor.exe | -n"));
  EXPECT_EQ(RememberedId(), 0U);
  EXPECT_EQ(RememberedTag(), "0");

  // An earlier start stays remembered through a failed one.
  world_.session.LaunchedProcessIds[10] = 77;
  world_.session.LabelTags[10] = "400";
  EXPECT_THAT(Launch(), ElementsAre("snapshot", "start C:\\Apps\\editor.exe -n",
                                    "shell-open C:\\Apps\\editor.exe | -n"));
  EXPECT_EQ(RememberedId(), 77U);
  EXPECT_EQ(RememberedTag(), "400");
}

}  // namespace
}  // namespace keylark::launch
