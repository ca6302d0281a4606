// The real shell seam with launch_target.exe as the program being launched:
// program starts, the process snapshot, the window calls and the file icons.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "keylark_process.h"
#include "launch_log.h"
#include "platform/win32/win32_shell.h"

namespace keylark::wintest {
namespace {

using platform::ProcessId;

bool InSnapshot(platform::win32::Win32Shell& shell, ProcessId id) {
  const auto ids = shell.SnapshotProcessIds();
  return ids && std::find(ids->begin(), ids->end(), id) != ids->end();
}

class Win32ShellTest : public ::testing::Test {
 protected:
  std::optional<ProcessId> StartTarget() {
    return shell_.StartProgram("\"" + TargetProgram() + "\" \"" + log_.Path() + "\"");
  }
  LaunchLog log_;
  platform::win32::Win32Shell shell_;
};

TEST_F(Win32ShellTest, AStartedProgramIsInTheSnapshotUntilItEnds) {
  const std::optional<ProcessId> started = StartTarget();
  ASSERT_TRUE(started);
  ASSERT_TRUE(log_.WaitForStarts(1));
  EXPECT_EQ(log_.Starts().front(), *started);
  EXPECT_TRUE(InSnapshot(shell_, *started));
  EXPECT_TRUE(InSnapshot(shell_, GetCurrentProcessId()));
  EndProcess(*started);
  EXPECT_TRUE(WaitFor([&] { return !InSnapshot(shell_, *started); }));
}

TEST_F(Win32ShellTest, ADocumentOrAMissingFileIsNoProgramToStart) {
  const std::string document = TempFilePath("kld") + ".txt";
  std::ofstream(document) << "not a program\n";
  EXPECT_FALSE(shell_.StartProgram(document));
  EXPECT_FALSE(shell_.StartProgram("C:\\no\\such\\program.exe"));
  DeleteFileA(document.c_str());
}

TEST_F(Win32ShellTest, TheStartedWindowIsNormalAndCanBeMinimizedAndRestored) {
  const auto started = StartTarget();
  ASSERT_TRUE(started);
  HWND window = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (window = TopLevelWindowOf(*started)) != nullptr; }));
  const auto handle = reinterpret_cast<platform::WindowHandle>(window);
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

}  // namespace
}  // namespace keylark::wintest
