#include "launch/launch_engine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/key_bar_world.h"

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

class LaunchKeyTest : public ::testing::Test {
 protected:
  void SetUp() override { world_.SelectKey("Fn-E", 10); }
  void TearDown() override {
    EXPECT_EQ(world_.registry.OpenHandleCount(), 0U) << "a registry key was left open";
  }

  const fakes::CallLog& Launch() {
    world_.log.clear();
    LaunchKey(world_.launch);
    return world_.log;
  }

  fakes::KeyBarWorld world_;
};

// --- Unassigned keys -------------------------------------------------------

struct UnassignedCase {
  const char* name;
  bool dialog_open;
  WindowState state;
  platform::WindowHandle foreground;
  std::vector<std::string> expected;
};

class UnassignedKeyTest : public LaunchKeyTest,
                          public ::testing::WithParamInterface<UnassignedCase> {};

TEST_P(UnassignedKeyTest, OpensTheAssignmentDialogOrOnlyBringsWindowsForward) {
  const UnassignedCase& c = GetParam();
  world_.session.EditCommandOpen = c.dialog_open;
  world_.host.state = c.state;
  world_.host.active_form =
      c.dialog_open ? FakeKeyBarHost::kDialogWindow : FakeKeyBarHost::kKeyBarWindow;
  world_.shell.foreground = c.foreground;
  EXPECT_EQ(Launch(), c.expected);
  EXPECT_EQ(world_.session.CurrentKeyLookup, platform::kFileNotFound);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnassignedKeyTest,
    ::testing::Values(
        UnassignedCase{"NormalInFront",
                       false,
                       WindowState::Normal,
                       FakeKeyBarHost::kKeyBarWindow,
                       {"assign-type-modal"}},
        UnassignedCase{"NormalBehind",
                       false,
                       WindowState::Normal,
                       kOtherWindow,
                       {"assign-type-modal", Foreground(FakeKeyBarHost::kKeyBarWindow)}},
        UnassignedCase{
            "Minimized", false, WindowState::Minimized, kOtherWindow, {"assign-type-modeless"}},
        UnassignedCase{"Maximized", false, WindowState::Maximized, kOtherWindow, {}},
        UnassignedCase{"DialogOpenNormalInFront",
                       true,
                       WindowState::Normal,
                       FakeKeyBarHost::kKeyBarWindow,
                       {}},
        UnassignedCase{"DialogOpenNormalBehind",
                       true,
                       WindowState::Normal,
                       kOtherWindow,
                       {Foreground(FakeKeyBarHost::kKeyBarWindow)}},
        UnassignedCase{"DialogOpenMinimized",
                       true,
                       WindowState::Minimized,
                       kOtherWindow,
                       {Foreground(FakeKeyBarHost::kDialogWindow)}},
        UnassignedCase{"DialogOpenMaximized",
                       true,
                       WindowState::Maximized,
                       kOtherWindow,
                       {Foreground(FakeKeyBarHost::kDialogWindow)}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LaunchKeyTest, AUseDuringTheModalDialogOnlyBringsTheKeyBarForward) {
  std::vector<std::string> nested;
  world_.host.during_modal_dialog = [&] {
    // The dialog sets its flag while loaded; the user presses the key again.
    world_.session.AssignTypeOpen = true;
    world_.shell.foreground = FakeKeyBarHost::kDialogWindow;
    const std::size_t before = world_.log.size();
    LaunchKey(world_.launch);
    nested.assign(world_.log.begin() + static_cast<std::ptrdiff_t>(before), world_.log.end());
    world_.session.AssignTypeOpen = false;
  };
  Launch();
  EXPECT_THAT(nested, ElementsAre(Foreground(FakeKeyBarHost::kKeyBarWindow)));
}

TEST_F(LaunchKeyTest, TheLookupStatusTellsWhetherTheKeyHasACommand) {
  world_.AssignDirect("Fn-E", "run.exe");
  Launch();
  EXPECT_EQ(world_.session.CurrentKeyLookup, platform::kSuccess);
  world_.SelectKey("Fn-F", 11);
  Launch();
  EXPECT_EQ(world_.session.CurrentKeyLookup, platform::kFileNotFound);
  EXPECT_THAT(world_.log, ElementsAre("assign-type-modal"));
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
}

TEST_F(LaunchKeyTest, TheMouseIsNudgedOnlyWhenTheKeyBarIsNotInFront) {
  world_.AssignDirect("Fn-E", "run.exe");
  world_.shell.foreground = kOtherWindow;
  EXPECT_THAT(Launch(), ElementsAre("mouse -1 1", "mouse 1 1", "shell-open run.exe"));
  world_.shell.foreground = FakeKeyBarHost::kKeyBarWindow;
  EXPECT_THAT(Launch(), ElementsAre("shell-open run.exe"));
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

struct PopupCase {
  const char* name;
  std::optional<std::string> file_count;
  std::optional<std::string> minimize_on_use;
  std::vector<std::string> expected;
};

class PopupKeyTest : public LaunchKeyTest, public ::testing::WithParamInterface<PopupCase> {};

TEST_P(PopupKeyTest, ShowsTheListOrOpensTheFolder) {
  const PopupCase& c = GetParam();
  world_.AssignDirect("Fn-E", "@C:\\Start Menu\\Tools");
  if (c.file_count) world_.Put(store::PopupListKey("Fn-E"), store::kFileCountValue, *c.file_count);
  if (c.minimize_on_use) world_.SetMinimizeOnUse(*c.minimize_on_use);
  EXPECT_EQ(Launch(), c.expected);
  EXPECT_EQ(world_.host.state, WindowState::Normal) << "a popup key never minimizes by itself";
}

INSTANTIATE_TEST_SUITE_P(
    Table, PopupKeyTest,
    ::testing::Values(
        PopupCase{"NoCountDoesNothing", std::nullopt, "0", {}},
        PopupCase{"ZeroOpensTheFolder", "0", "0", {"shell-open C:\\Start Menu\\Tools"}},
        PopupCase{"NonNumericCountsAsZero", "none", "0", {"shell-open C:\\Start Menu\\Tools"}},
        PopupCase{"ItemsShowTheList", "3", "0", {"popup-list"}},
        PopupCase{"MinimizingShowsTheListWithoutCount", std::nullopt, "1", {"popup-list"}},
        PopupCase{"MinimizingShowsEvenAnEmptyList", "0", "1", {"popup-list"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LaunchKeyTest, APopupKeyIgnoresItsSwitchFlag) {
  world_.AssignDirect("Fn-E", "@C:\\Folder");
  world_.SetSwitchFlag("Fn-E", "1");
  world_.Put(store::PopupListKey("Fn-E"), store::kFileCountValue, "0");
  EXPECT_THAT(Launch(), ElementsAre("shell-open C:\\Folder"));
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

TEST_F(SwitchOrStartTest, TheFirstUseStartsAndRemembersTheProcessAndTheWindowInFront) {
  EXPECT_THAT(Launch(), ElementsAre("start C:\\Apps\\editor.exe -n"));
  EXPECT_EQ(RememberedId(), 1000U);
  EXPECT_EQ(RememberedTag(), "400");
  // Other keys keep their own slots.
  EXPECT_EQ(world_.session.LaunchedProcessIds[9], 0U);
  EXPECT_EQ(world_.session.LabelTags[11], "0");
}

TEST_F(SwitchOrStartTest, ALaterUseBringsTheRunningApplicationForward) {
  Launch();
  world_.shell.foreground = kOtherWindow;
  EXPECT_THAT(Launch(), ElementsAre("mouse -1 1", "mouse 1 1", "snapshot", "show 400 5",
                                    Foreground(kAppWindow)));
  world_.shell.iconic.insert(kAppWindow);
  world_.shell.foreground = FakeKeyBarHost::kKeyBarWindow;
  EXPECT_THAT(Launch(), ElementsAre("snapshot", "show 400 1", Foreground(kAppWindow)));
  EXPECT_EQ(RememberedId(), 1000U);
}

TEST_F(SwitchOrStartTest, AfterTheProcessEndedTheNextUseStartsItAgain) {
  Launch();
  world_.shell.EndProcess(1000);
  world_.shell.foreground = FakeKeyBarHost::kKeyBarWindow;
  world_.shell.foreground_after_start = 500;
  EXPECT_THAT(Launch(), ElementsAre("snapshot", "start C:\\Apps\\editor.exe -n"));
  EXPECT_EQ(RememberedId(), 1004U);
  EXPECT_EQ(RememberedTag(), "500");
}

TEST_F(SwitchOrStartTest, ARememberedWindowOfZeroMeansStartWithoutLookingForTheProcess) {
  world_.shell.foreground_after_start = 0;
  Launch();
  EXPECT_EQ(RememberedTag(), "0");
  world_.shell.foreground = FakeKeyBarHost::kKeyBarWindow;
  EXPECT_THAT(Launch(), ElementsAre("start C:\\Apps\\editor.exe -n"));
}

TEST_F(SwitchOrStartTest, AFailedSnapshotStartsNothing) {
  Launch();
  world_.shell.snapshot_fails = true;
  world_.shell.foreground = FakeKeyBarHost::kKeyBarWindow;
  EXPECT_THAT(Launch(), ElementsAre("snapshot"));
  EXPECT_EQ(RememberedId(), 1000U);
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

TEST_F(SwitchOrStartTest, AHandleWithItsHighBitSetSurvivesTheTagRoundTrip) {
  // 64-bit systems hand out sign-extended 32-bit window handles.
  const auto handle = static_cast<platform::WindowHandle>(static_cast<std::intptr_t>(-123456));
  world_.shell.foreground_after_start = handle;
  Launch();
  EXPECT_EQ(RememberedTag(), "-123456");
  world_.shell.foreground = FakeKeyBarHost::kKeyBarWindow;
  EXPECT_THAT(Launch(),
              ElementsAre("snapshot", "show " + std::to_string(handle) + " 5", Foreground(handle)));
}

}  // namespace
}  // namespace keylark::launch
