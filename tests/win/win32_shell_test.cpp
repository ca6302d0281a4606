// The real shell seam where the key bar's own tests do not reach it: what is
// no program to start, the window calls and the mouse nudge. Starts and the
// process snapshot are seen through the key bar (Reliability).
#include <gtest/gtest.h>

#include <fstream>

#include "keylark_process.h"
#include "platform/win32/win32_shell.h"

namespace keylark::wintest {
namespace {

class Win32ShellTest : public ::testing::Test {
 protected:
  platform::win32::Win32Shell shell_;
  LaunchLog log_;
};

TEST_F(Win32ShellTest, ADocumentOrAMissingFileIsNoProgramToStart) {
  const std::string document = TempFilePath("kld") + ".txt";
  std::ofstream(document) << "not a program\n";
  EXPECT_FALSE(shell_.StartProgram(document));
  EXPECT_FALSE(shell_.StartProgram("C:\\no\\such\\program.exe"));
  DeleteFileA(document.c_str());
}

TEST_F(Win32ShellTest, TheStartedWindowIsNormalAndCanBeMinimizedAndRestored) {
  const auto started = shell_.StartProgram("\"" + TargetProgram() + "\" \"" + log_.Path() + "\"");
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
