// The real shell seam: program starts, the process snapshot and the window
// calls, with launch_target.exe as the program being launched; shell opens are
// used by the key launching tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "keylark_process.h"
#include "launch_log.h"
#include "platform/win32/win32_file_icons.h"
#include "platform/win32/win32_shell.h"

namespace keylark::wintest {
namespace {

using platform::ProcessId;
using platform::WindowHandle;

bool Contains(const std::vector<ProcessId>& ids, ProcessId id) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

class Win32ShellTest : public ::testing::Test {
 protected:
  std::string TargetCommandLine() const {
    return "\"" + TargetProgram() + "\" \"" + log_.Path() + "\"";
  }
  bool WaitForStarts(std::size_t count) const { return log_.WaitForStarts(count); }

  LaunchLog log_;
  platform::win32::Win32Shell shell_;
};

TEST_F(Win32ShellTest, AStartedProgramIsInTheSnapshotUntilItEnds) {
  const std::optional<ProcessId> started = shell_.StartProgram(TargetCommandLine());
  ASSERT_TRUE(started);
  ASSERT_TRUE(WaitForStarts(1));
  EXPECT_EQ(log_.Starts().front(), *started);

  const auto running = shell_.SnapshotProcessIds();
  ASSERT_TRUE(running);
  EXPECT_TRUE(Contains(*running, *started));
  EXPECT_TRUE(Contains(*running, GetCurrentProcessId()));

  EndProcess(*started);
  EXPECT_TRUE(WaitFor([&] {
    const auto now = shell_.SnapshotProcessIds();
    return now && !Contains(*now, *started);
  }));
}

TEST_F(Win32ShellTest, ADocumentOrAMissingFileIsNoProgramToStart) {
  const std::string document = TempFilePath("kld");
  const std::string renamed = document + ".txt";
  ASSERT_NE(MoveFileA(document.c_str(), renamed.c_str()), FALSE);
  std::ofstream(renamed) << "not a program\n";
  EXPECT_FALSE(shell_.StartProgram(renamed));
  EXPECT_FALSE(shell_.StartProgram("C:\\no\\such\\program.exe"));
  DeleteFileA(renamed.c_str());
}

TEST_F(Win32ShellTest, TheStartedWindowIsNormalAndCanBeMinimizedAndRestored) {
  const auto started = shell_.StartProgram(TargetCommandLine());
  ASSERT_TRUE(started);
  HWND window = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (window = TopLevelWindowOf(*started)) != nullptr; }));
  const auto handle = reinterpret_cast<WindowHandle>(window);
  EXPECT_FALSE(shell_.IsIconic(handle));

  shell_.ShowWindow(handle, SW_MINIMIZE);
  EXPECT_TRUE(shell_.IsIconic(handle));
  shell_.ShowWindow(handle, platform::kShowNormal);
  EXPECT_FALSE(shell_.IsIconic(handle));

  shell_.SetForegroundWindow(handle);
  EXPECT_TRUE(WaitFor([&] { return shell_.GetForegroundWindow() == handle; }));
}

TEST_F(Win32ShellTest, TheMouseNudgeEndsTwoPixelsLower) {
  ASSERT_NE(SetCursorPos(200, 200), FALSE);
  POINT before{};
  ASSERT_NE(GetCursorPos(&before), FALSE);
  shell_.MoveMouseBy(-1, 1);
  shell_.MoveMouseBy(1, 1);
  POINT after{};
  EXPECT_TRUE(WaitFor([&] {
    GetCursorPos(&after);
    return after.y == before.y + 2;
  }));
  EXPECT_EQ(after.x, before.x);
}

TEST(Win32FileIconsTest, TheShellNamesAFileAndFindsItsPictureInItsOwnList) {
  platform::win32::Win32FileIcons icons;
  const auto large = icons.Describe(TargetProgram(), platform::IconSize::Large32);
  const auto small = icons.Describe(TargetProgram(), platform::IconSize::Small16);
  ASSERT_TRUE(large && small);
  EXPECT_NE(large->images, small->images) << "one system list per size";
  EXPECT_EQ(large->display_name.rfind("launch_target", 0), 0U) << large->display_name;
  EXPECT_FALSE(icons.Describe("C:\\no\\such\\file.exe", platform::IconSize::Large32));
}

}  // namespace
}  // namespace keylark::wintest
