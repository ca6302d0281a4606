// The real shell seam where the key launching tests do not reach: what is no
// program to start, the mouse nudge, and the file icons. Starts, the process
// snapshot and the window calls are used by the key launching tests.
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

class Win32ShellTest : public ::testing::Test {
 protected:
  platform::win32::Win32Shell shell_;
};

TEST_F(Win32ShellTest, ADocumentOrAMissingFileIsNoProgramToStart) {
  const std::string document = TempFilePath("kld");
  const std::string renamed = document + ".txt";
  ASSERT_NE(MoveFileA(document.c_str(), renamed.c_str()), FALSE);
  std::ofstream(renamed) << "not a program\n";
  EXPECT_FALSE(shell_.StartProgram(renamed));
  EXPECT_FALSE(shell_.StartProgram("C:\\no\\such\\program.exe"));
  DeleteFileA(renamed.c_str());
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
