// Keys used through the Fn-key report and the tray icon of the running key
// bar, with launch_target.exe as the program assigned to them.
#include <gtest/gtest.h>

#include "core/window_messages.h"
#include "keylark_process.h"
#include "launch_log.h"
#include "store/layout.h"

namespace keylark::wintest {
namespace {

constexpr UINT kFnKeyMessage = core::FnKeyMessage;
constexpr WPARAM kFnKeyReport = core::kFnKeyReportWParam;
constexpr UINT kTrayCallback = core::TrayCallbackMessage;
constexpr WPARAM kTrayId = core::TrayIconId;
constexpr LPARAM kScanE = 0x12;

void Assign(const std::string& key, const std::string& command, const char* switch_flag) {
  TestStore().WriteText(store::kCommandKey, key, command, store::KeyMode::CreateIfMissing);
  TestStore().WriteText(store::kSwitchFlagKey, key, switch_flag, store::KeyMode::CreateIfMissing);
}

void SetOption(const char* name, const char* value) {
  TestStore().WriteText(store::kConfigKey, name, value, store::KeyMode::CreateIfMissing);
}

// The popup menu Keylark shows, if one is open.
HWND OpenMenuOf(DWORD process) { return TopLevelWindowOf(process, "#32768"); }

void PressKeyIn(HWND window, UINT key) {
  PostMessageA(window, WM_KEYDOWN, key, 0);
  PostMessageA(window, WM_KEYUP, key, 0xC0000000);
}

// Sends a message and waits until the key bar has handled it.
void SendAndWait(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, message, wparam, lparam, SMTO_NORMAL, 10000, &result);
}

class KeyLaunching : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    SetOption("opts3", "0");
  }
  void TearDown() override {
    if (HWND menu = OpenMenuOf(keylark_.ProcessId())) PressKeyIn(menu, VK_ESCAPE);
    keylark_.Close();
    ResetStore();
  }

  HWND StartKeyBar() {
    if (!keylark_.Start()) return nullptr;
    return keylark_.WaitForKeyBar();
  }

  LaunchLog log_;  // before the key bar: Keylark inherits where targets log
  KeylarkProcess keylark_;
};

TEST_F(KeyLaunching, AnFnKeyReportStartsTheKeysCommandEveryTimeWithoutSwitching) {
  Assign("Fn-E", TargetProgram(), "0");
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  PostMessageA(key_bar, kFnKeyMessage, kFnKeyReport, kScanE);
  ASSERT_TRUE(log_.WaitForStarts(1));
  PostMessageA(key_bar, kFnKeyMessage, kFnKeyReport, kScanE);
  ASSERT_TRUE(log_.WaitForStarts(2));
  const auto starts = log_.Starts();
  EXPECT_NE(starts[0], starts[1]);
  EXPECT_TRUE(IsWindowVisible(key_bar)) << "Minimize On Use is off";
}

TEST_F(KeyLaunching, WithTheSwitchFlagARunningInstanceIsNotStartedAgain) {
  Assign("Fn-E", TargetProgram(), "1");
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  PostMessageA(key_bar, kFnKeyMessage, kFnKeyReport, kScanE);
  ASSERT_TRUE(log_.WaitForStarts(1));
  const platform::ProcessId first = log_.Starts()[0];
  ASSERT_TRUE(WaitFor([&] { return TopLevelWindowOf(first) != nullptr; }));

  SendAndWait(key_bar, kFnKeyMessage, kFnKeyReport, kScanE);
  EXPECT_EQ(log_.Starts().size(), 1U) << "the running instance is brought forward instead";

  EndProcess(first);
  SendAndWait(key_bar, kFnKeyMessage, kFnKeyReport, kScanE);
  ASSERT_TRUE(log_.WaitForStarts(2)) << "after it ended the key starts it again";
  EXPECT_NE(log_.Starts()[1], first);
}

TEST_F(KeyLaunching, ReportsThatAreNotKeysOfTheTableStartNothing) {
  Assign("Fn-E", TargetProgram(), "0");
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  SendAndWait(key_bar, kFnKeyMessage, 255, kScanE);
  SendAndWait(key_bar, kFnKeyMessage, 257, kScanE);
  for (LPARAM scan : {0x08, 0x00, 0x32, 0x01, 0x112}) {
    SendAndWait(key_bar, kFnKeyMessage, kFnKeyReport, scan);
  }
  EXPECT_TRUE(log_.Starts().empty());
  EXPECT_EQ(keylark_.WaitForExit(std::chrono::milliseconds(0)), false) << "still running";
}

TEST_F(KeyLaunching, AReservedKeyStillLaunchesThroughTheReport) {
  Assign("Fn-E", TargetProgram(), "0");
  HKEY reserve = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, store::kReservedKeysKey, &reserve), ERROR_SUCCESS);
  RegSetValueExA(reserve, "E", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
  RegCloseKey(reserve);
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  PostMessageA(key_bar, kFnKeyMessage, kFnKeyReport, kScanE);
  EXPECT_TRUE(log_.WaitForStarts(1));
}

TEST_F(KeyLaunching, MinimizeOnUseHidesTheKeyBarAfterADirectLaunch) {
  Assign("Fn-E", TargetProgram(), "0");
  SetOption("opts3", "1");
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  PostMessageA(key_bar, kFnKeyMessage, kFnKeyReport, kScanE);
  ASSERT_TRUE(log_.WaitForStarts(1));
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(key_bar); }));
}

TEST_F(KeyLaunching, APopupListStaysUpWithTheKeyBarUntilAnItemIsChosen) {
  SetOption("opts3", "1");
  TestStore().WriteText(store::kCommandKey, "Fn-A", "@C:\\Lists\\Tools",
                        store::KeyMode::CreateIfMissing);
  TestStore().WriteText(store::PopupListKey("Fn-A"), store::kFileCountValue, "1",
                        store::KeyMode::CreateIfMissing);
  TestStore().WriteText(store::PopupItemKey("Fn-A", "Target"), "Target", TargetProgram(),
                        store::KeyMode::CreateIfMissing);
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);

  PostMessageA(key_bar, kFnKeyMessage, kFnKeyReport, 0x1E);  // Fn-A
  HWND menu = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (menu = OpenMenuOf(keylark_.ProcessId())) != nullptr; }));
  EXPECT_TRUE(IsWindowVisible(key_bar)) << "showing the list does not hide the key bar";

  // Header, separator, then the one item.
  PressKeyIn(menu, VK_DOWN);
  PressKeyIn(menu, VK_DOWN);
  PressKeyIn(menu, VK_RETURN);
  ASSERT_TRUE(log_.WaitForStarts(1)) << "the chosen item is opened";
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(key_bar); })) << "then the key bar hides";
}

TEST_F(KeyLaunching, TheTrayIconBringsTheHiddenKeyBarBack) {
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  ShowWindow(key_bar, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(key_bar); }));

  SendAndWait(key_bar, kTrayCallback, kTrayId, WM_LBUTTONUP);          // a single click
  SendAndWait(key_bar, kTrayCallback, kTrayId + 1, WM_LBUTTONDBLCLK);  // another icon
  EXPECT_FALSE(IsWindowVisible(key_bar));

  SendAndWait(key_bar, kTrayCallback, kTrayId, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(key_bar) && !IsIconic(key_bar); }));
}

TEST_F(KeyLaunching, TheTrayMenuOffersToLaunchKeylark) {
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  ShowWindow(key_bar, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(key_bar); }));

  PostMessageA(key_bar, kTrayCallback, kTrayId, WM_RBUTTONUP);
  HWND menu = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (menu = OpenMenuOf(keylark_.ProcessId())) != nullptr; }));
  PressKeyIn(menu, VK_DOWN);  // "Launch Keylark"
  PressKeyIn(menu, VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(key_bar) && !IsIconic(key_bar); }));
}

}  // namespace
}  // namespace keylark::wintest
