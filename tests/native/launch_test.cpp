// Launching a key (unassigned, direct, popup, switch-or-start), how a command
// splits, what may reach the shell, and what a shortcut reads as.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "fakes/fake_shortcut_library.h"
#include "fakes/key_bar_world.h"
#include "launch/command_line.h"
#include "launch/launch_engine.h"
#include "launch/shortcut_reader.h"
#include "store/store_operations.h"

namespace keylark::launch {
namespace {

using core::WindowState;
using Calls = std::vector<std::string>;
using ::testing::ElementsAre;

constexpr platform::WindowHandle kOther = 300;
constexpr platform::WindowHandle kBar = fakes::FakeKeyBarHost::kKeyBarWindow;
const std::string kBarToFront = "foreground " + std::to_string(kBar);
const std::string kDialogToFront =
    "foreground " + std::to_string(fakes::FakeKeyBarHost::kDialogWindow);

class LaunchKeyTest : public fakes::WorldTest {
 protected:
  void SetUp() override { world_.SelectKey("Fn-E", 10); }

  const Calls& Launch() {
    world_.log.clear();
    LaunchKey(world_.launch);
    return world_.log;
  }
};

TEST_F(LaunchKeyTest, AnUnassignedKeyOpensTheAssignmentDialogOrOnlyBringsWindowsForward) {
  // A dialog open or not, the key bar's state, the window in front.
  const std::tuple<bool, WindowState, platform::WindowHandle, Calls> cases[] = {
      {false, WindowState::Normal, kBar, {"assign-type-modal"}},
      {false, WindowState::Normal, kOther, {"assign-type-modal", kBarToFront}},
      {false, WindowState::Minimized, kOther, {"assign-type-modeless"}},
      {false, WindowState::Maximized, kOther, {}},
      {true, WindowState::Normal, kBar, {}},
      {true, WindowState::Normal, kOther, {kBarToFront}},
      {true, WindowState::Minimized, kOther, {kDialogToFront}},
      {true, WindowState::Maximized, kOther, {kDialogToFront}},
  };
  for (const auto& [dialog_open, state, front, expected] : cases) {
    world_.session.EditCommandOpen = dialog_open;
    world_.host.state = state;
    world_.host.active_form = dialog_open ? fakes::FakeKeyBarHost::kDialogWindow : kBar;
    world_.shell.foreground = front;
    EXPECT_EQ(Launch(), expected) << dialog_open << " " << static_cast<int>(state) << " " << front;
    EXPECT_EQ(world_.session.CurrentKeyLookup, platform::kFileNotFound);
  }
}

// A program with many arguments easily passes a kilobyte: read and launched whole.
TEST_F(LaunchKeyTest, OnlyANonZeroNumericSwitchFlagSwitchesACommandOfAnyLength) {
  std::string arguments = "/x";
  while (arguments.size() < 3000) arguments += " C:\\Data\\file" + std::to_string(arguments.size());
  world_.AssignDirect("Fn-E", "C:\\run.exe " + arguments);
  const std::vector<std::pair<std::optional<std::string>, bool>> flags = {
      {std::nullopt, false}, {"", false}, {"0", false},   {"abc", false},
      {"1", true},           {"2", true}, {"1abc", true}, {"-1", true}};
  for (const auto& [flag, switches] : flags) {
    world_.session.LabelTags[10] = "0";
    if (flag) world_.SetSwitchFlag("Fn-E", *flag);
    EXPECT_THAT(Launch(), ElementsAre(switches ? "start C:\\run.exe " + arguments
                                               : "shell-open C:\\run.exe | " + arguments))
        << "flag " << flag.value_or("<absent>");
  }
  EXPECT_EQ(world_.session.CurrentKeyLookup, 0) << "the command was found";
  EXPECT_TRUE(store::ReadKeyMarks(world_.store, world_.session.FnKeyNames)[10].assigned);
}

TEST_F(LaunchKeyTest, APopupKeyShowsItsListOrOpensItsFolder) {
  using Text = std::optional<std::string>;
  const Calls list = {"popup-list"}, folder = {"shell-open C:\\Start Menu\\Tools"};
  const std::tuple<Text, const char*, Calls> cases[] = {
      // count, minimize on use
      {std::nullopt, "0", {}},  // no count: nothing at all
      {"0", "0", folder},
      {"none", "0", folder},  // a count without a number is 0
      {"3", "0", list},
      {std::nullopt, "1", list},  // minimizing shows the list whatever its count
      {"0", "1", list},
  };
  world_.AssignDirect("Fn-E", "@C:\\Start Menu\\Tools");
  world_.SetSwitchFlag("Fn-E", "1");  // a popup key takes no notice of it
  for (const auto& [file_count, minimize_on_use, expected] : cases) {
    world_.store.DeleteValue(fakes::layout::Prg("Fn-E"), "FileCount");
    if (file_count) world_.Put(fakes::layout::Prg("Fn-E"), "FileCount", *file_count);
    world_.SetMinimizeOnUse(minimize_on_use);
    EXPECT_EQ(Launch(), expected) << file_count.value_or("-") << " " << minimize_on_use;
    EXPECT_EQ(world_.host.state, WindowState::Normal) << "a popup key never minimizes by itself";
  }
}

// Switch-or-start remembers the process it started and the window in front
// after it until the process ends; a failed start leaves what was remembered.
// Minimize on use hides the key bar only when something started or came forward.
TEST_F(LaunchKeyTest, SwitchOrStartBringsTheApplicationForwardUntilItEnds) {
  const auto& ids = world_.session.LaunchedProcessIds;
  const auto& tags = world_.session.LabelTags;
  world_.AssignDirect("Fn-E", "C:\\Apps\\editor.exe -n");
  world_.SetMinimizeOnUse("1");
  EXPECT_THAT(Launch(), ElementsAre("shell-open C:\\Apps\\editor.exe | -n", "state minimized"));
  world_.SetSwitchFlag("Fn-E", "1");
  world_.shell.foreground_after_start = 400;
  EXPECT_THAT(Launch(), ElementsAre("start C:\\Apps\\editor.exe -n", "state minimized"));
  EXPECT_EQ(ids[10], 1000U);
  EXPECT_EQ(tags[10], "400");
  world_.shell.foreground = kOther;
  EXPECT_THAT(Launch(), ElementsAre("mouse -1 1", "mouse 1 1", "snapshot", "show 400 5",
                                    "foreground 400", "state minimized"));
  world_.shell.iconic.insert(400);
  world_.shell.foreground = kBar;
  EXPECT_THAT(Launch(), ElementsAre("snapshot", "show 400 1", "foreground 400", "state minimized"));
  world_.shell.EndProcess(1000);
  world_.shell.foreground = kBar;
  world_.shell.foreground_after_start = 500;
  EXPECT_THAT(Launch(),
              ElementsAre("snapshot", "start C:\\Apps\\editor.exe -n", "state minimized"));
  EXPECT_EQ(ids[10], 1004U);
  EXPECT_EQ(tags[10], "500");

  world_.host.state = WindowState::Normal;
  world_.shell.not_programs.insert("C:\\Apps\\editor.exe -n");
  world_.shell.EndProcess(1004);
  world_.shell.foreground = kBar;
  EXPECT_THAT(Launch(), ElementsAre("snapshot", "start C:\\Apps\\editor.exe -n",
                                    "shell-open C:\\Apps\\editor.exe | -n"));
  EXPECT_EQ(ids[10], 1004U);
  EXPECT_EQ(tags[10], "500");
  world_.shell.snapshot_fails = true;
  EXPECT_THAT(Launch(), ElementsAre("snapshot"));
  EXPECT_EQ(world_.host.state, WindowState::Normal);
}

TEST(CommandSplit, SplitsAsTheRunBoxDoesAndLooksUpOnlyFullPaths) {
  const std::set<std::string> existing = {"C:\\dir with space\\kl target.exe", "C:\\dir.exe",
                                          "C:\\dir", "kl.exe"};
  const PathExists exists = [&](const std::string& path) { return existing.count(path) != 0; };
  const std::pair<const char*, CommandParts> cases[] = {
      {"C:\\dir with space\\kl target.exe", {"C:\\dir with space\\kl target.exe", "", true}},
      {"C:\\dir with space\\kl target.exe  -a b",
       {"C:\\dir with space\\kl target.exe", "-a b", true}},
      {"notepad.exe C:\\notes.txt", {"notepad.exe", "C:\\notes.txt", false}},
      {"kl.exe x", {"kl.exe", "x", false}},  // relative: never looked up
      {" \"C:\\Program Files\\a b.exe\"\t/s ", {"C:\\Program Files\\a b.exe", "/s ", false}},
      {"\"C:\\dir.exe", {"C:\\dir.exe", "", true}},
      {"mailto:someone@example.com?subject=a b",
       {"mailto:someone@example.com?subject=a b", "", false}},
      {"https://example.org/a b", {"https://example.org/a b", "", false}},
      {"shell:AppsFolder\\Vendor.App_1abc!App",
       {"shell:AppsFolder\\Vendor.App_1abc!App", "", false}},
      {"C:\\nowhere\\run.exe arg", {"C:\\nowhere\\run.exe", "arg", false}},
      {"", {"", "", false}}};
  for (const auto& [command, expected] : cases) {
    const CommandParts parts = SplitCommand(command, exists);
    EXPECT_EQ(parts.program, expected.program) << command;
    EXPECT_EQ(parts.parameters, expected.parameters) << command;
    EXPECT_EQ(parts.program_exists, expected.program_exists) << command;
  }
  const CommandParts planted = SplitCommand("C:\\dir with space\\kl target.exe -a", exists);
  EXPECT_EQ(ProgramStartLine("C:\\dir with space\\kl target.exe -a", planted),
            "\"C:\\dir with space\\kl target.exe\" -a");
}

TEST(ShellGate, AFileLongerThanAPathOrAUrlLongerThanTheShellTakesIsRefused) {
  const std::string japanese = "\xE6\x97\xA5";  // one character, three bytes
  std::string long_japanese = "C:\\";
  while (WideLength(long_japanese) < kLongestPath) long_japanese += japanese;
  const std::pair<std::string, bool> cases[] = {
      {"C:\\" + std::string(256, 'a'), true},
      {"C:\\" + std::string(257, 'a'), false},
      {long_japanese, true},
      {long_japanese + "a", false},
      {"http://x/" + std::string(kLongestUrl - 9, 'u'), true},
      {"http://x/" + std::string(kLongestUrl - 8, 'u'), false},
      {"\xF0\x9F\x98\x80" + std::string(258, 'a'), false},  // a surrogate pair counts two
      {"", false}};
  for (const auto& [file, allowed] : cases) {
    EXPECT_EQ(ShellMayOpen(file), allowed) << file.size() << " bytes";
  }
}

// Each buffer is cut at its first NUL, and is empty without one; the path text
// is lent to the library, and what it leaves there comes back even on failure.
TEST(ShortcutReader, FillsEveryFieldInBufferOrderOrLeavesTheRecordAsItWas) {
  fakes::FakeShortcutLibrary library;
  const ShortcutInfo earlier{"C:\\earlier.exe", "a", "b", "c", "d", 11, 22};
  std::string path;
  const auto read = [&] {
    path = "C:\\Menu\\Tool.lnk";
    ShortcutInfo info = earlier;
    ReadShortcut(library, path, info);
    return info;
  };
  library.SetText(0, "C:\\Tools\\run.exe");
  library.SetBuffer(1, {'/', 'q', '\0', 'y', '\0'});
  library.SetText(2, "C:\\Tools");
  std::vector<char> last_byte_nul(platform::kShortcutBufferSize, 'B');
  last_byte_nul.back() = '\0';
  library.SetBuffer(3, last_byte_nul);  // the longest text that fits
  library.SetBuffer(4, std::vector<char>(platform::kShortcutBufferSize, 'A'));
  library.SetNumbers(7, -3);
  library.RewritePath("C:\\Short.lnk");
  EXPECT_EQ(read(), (ShortcutInfo{"C:\\Tools\\run.exe", "/q", "C:\\Tools",
                                  std::string(platform::kShortcutBufferSize - 1, 'B'), "", 7, -3}));
  EXPECT_TRUE(library.OutputsWereZeroed());
  EXPECT_EQ(library.SeenPath(), "C:\\Menu\\Tool.lnk");
  EXPECT_EQ(path, "C:\\Short.lnk");
  for (const std::int32_t failure : {1, -1, std::int32_t{-2147467259}}) {
    library.SetResult(failure);
    EXPECT_EQ(read(), earlier) << "result " << failure;
    EXPECT_EQ(path, "C:\\Short.lnk");
  }
  library.SetLoadable(false);
  EXPECT_EQ(read(), earlier);
  EXPECT_EQ(path, "C:\\Menu\\Tool.lnk");
  EXPECT_EQ(library.Calls(), 4) << "a missing library is never called";
}

}  // namespace
}  // namespace keylark::launch
