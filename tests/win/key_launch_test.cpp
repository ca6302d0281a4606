// Keys used through the Fn-key report and the tray icon of the running key
// bar, with launch_target.exe as the program assigned to them.
#include <gtest/gtest.h>

#include "keylark_process.h"
#include "launch_log.h"

namespace keylark::wintest {
namespace {

constexpr LPARAM kScanE = 0x12;
// The tray icon's callback message and identifier.
constexpr UINT kTrayCallback = 1124;
constexpr WPARAM kTrayId = 9999;

class KeyLaunching : public KeyBarTest {
 protected:
  void TearDown() override {
    if (HWND menu = TopLevelWindowOf(keylark_.ProcessId(), "#32768")) PressKeyIn(menu, VK_ESCAPE);
    KeyBarTest::TearDown();
  }

  LaunchLog log_;  // set up before any key bar starts: Keylark inherits where targets log
};

TEST_F(KeyLaunching, WithTheSwitchFlagARunningInstanceIsNotStartedAgain) {
  Assign("Fn-E", TargetProgram(), "1");
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  ReportFnKey(key_bar, kScanE);
  ASSERT_TRUE(log_.WaitForStarts(1));
  const platform::ProcessId first = log_.Starts()[0];
  ASSERT_TRUE(WaitFor([&] { return TopLevelWindowOf(first) != nullptr; }));

  ReportFnKey(key_bar, kScanE, true);
  EXPECT_EQ(log_.Starts().size(), 1U) << "the running instance is brought forward instead";

  EndProcess(first);
  ReportFnKey(key_bar, kScanE, true);
  ASSERT_TRUE(log_.WaitForStarts(2)) << "after it ended the key starts it again";
  EXPECT_NE(log_.Starts()[1], first);
}

TEST_F(KeyLaunching, APopupListStaysUpWithTheKeyBarUntilAnItemIsChosen) {
  Put(layout::kCfg, "opts3", "1");
  Put(layout::kCmd, "Fn-A", "@C:\\Lists\\Tools");
  Put(layout::Prg("Fn-A"), "FileCount", "1");
  Put(layout::PrgItem("Fn-A", "Target"), "Target", TargetProgram());
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);

  ReportFnKey(key_bar, 0x1E);  // Fn-A
  HWND menu = nullptr;
  ASSERT_TRUE(WaitFor(
      [&] { return (menu = TopLevelWindowOf(keylark_.ProcessId(), "#32768")) != nullptr; }));
  EXPECT_TRUE(IsWindowVisible(key_bar)) << "showing the list does not hide the key bar";

  // Header, separator, then the one item.
  PressKeyIn(menu, VK_DOWN);
  PressKeyIn(menu, VK_DOWN);
  PressKeyIn(menu, VK_RETURN);
  ASSERT_TRUE(log_.WaitForStarts(1)) << "the chosen item is opened";
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(key_bar); })) << "then the key bar hides";
}

TEST_F(KeyLaunching, TheTrayIconAndItsMenuBringTheHiddenKeyBarBack) {
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  ShowWindow(key_bar, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(key_bar); }));
  SendAndWait(key_bar, kTrayCallback, kTrayId, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(key_bar) && !IsIconic(key_bar); }));

  ShowWindow(key_bar, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(key_bar); }));
  PostMessageA(key_bar, kTrayCallback, kTrayId, WM_RBUTTONUP);
  HWND menu = nullptr;
  ASSERT_TRUE(WaitFor(
      [&] { return (menu = TopLevelWindowOf(keylark_.ProcessId(), "#32768")) != nullptr; }));
  PressKeyIn(menu, VK_DOWN);  // "Launch Keylark"
  PressKeyIn(menu, VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(key_bar) && !IsIconic(key_bar); }));
}

}  // namespace
}  // namespace keylark::wintest
