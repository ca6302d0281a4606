// The running key bar under abuse, seen from outside: long and planted
// commands, positions off every screen, floods of reports and clicks, a
// half-written store and paths in Japanese.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>

#include "core/window_messages.h"
#include "keylark_process.h"
#include "launch_log.h"
#include "store/layout.h"

namespace keylark::wintest {
namespace {

constexpr LPARAM kScanA = 0x1E, kScanE = 0x12, kScanR = 0x13, kScanT = 0x14;

void AssignList(const std::string& item_target) {
  Put(store::kCommandKey, "Fn-A", "@C:\\Lists");
  Put(store::PopupListKey("Fn-A"), "FileCount", "1");
  Put(store::PopupItemKey("Fn-A", "Item"), "Item", item_target);
}

int CountMenus(DWORD process) {
  int menus = 0;
  for (HWND menu : WindowsOf(process, "#32768")) menus += IsWindowVisible(menu) ? 1 : 0;
  return menus;
}

std::wstring ImageOf(platform::ProcessId id) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  wchar_t path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  if (process != nullptr) QueryFullProcessImageNameW(process, 0, path, &size);
  if (process != nullptr) CloseHandle(process);
  return path;
}

RECT Where(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

bool OnScreen(HWND window) {
  const RECT r = Where(window);
  return r.left >= 0 && r.top >= 0 && r.right <= GetSystemMetrics(SM_CXSCREEN) &&
         r.bottom <= GetSystemMetrics(SM_CYSCREEN);
}

// A copy of launch_target.exe at a path below the temporary folder, which
// goes with the test session's prefix.
std::wstring CopyTarget(const std::wstring& relative) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring path = temp + relative;
  for (std::size_t at = path.find(L'\\', 3); at != std::wstring::npos;
       at = path.find(L'\\', at + 1)) {
    CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  }
  const std::string target = TargetProgram();
  CopyFileW(std::wstring(target.begin(), target.end()).c_str(), path.c_str(), FALSE);
  return path;
}

class Reliability : public KeyBarTest {
 protected:
  void TearDown() override {
    KeyBarTest::TearDown();  // also ends a menu left open
    log_.EndAll();
  }
  LaunchLog log_;
};

TEST_F(Reliability, TheProgramStartedIsExactlyTheStoredFileNeverAPlantedOne) {
  const std::wstring wanted = CopyTarget(L"kl planted\\dir with space\\kl target.exe");
  CopyTarget(L"kl planted\\dir.exe");
  const std::wstring planted = CopyTarget(L"kl planted\\klplant.exe");
  Assign("Fn-E", std::string(wanted.begin(), wanted.end()), "1");
  Assign("Fn-R", "klplant.exe", "1");
  Assign("Fn-T", "klplant.exe", "0");
  // Keylark is started from the folder that holds the planted programs.
  wchar_t here[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, here);
  SetCurrentDirectoryW(planted.substr(0, planted.rfind(L'\\')).c_str());
  HWND key_bar = StartKeyBar();
  SetCurrentDirectoryW(here);
  ASSERT_NE(key_bar, nullptr);
  ReportFnKey(key_bar, kScanR, true);
  ReportFnKey(key_bar, kScanT, true);
  EXPECT_EQ(ProcessNamed("klplant.exe"), 0U) << "nothing from the current directory";
  ReportFnKey(key_bar, kScanE);
  ASSERT_TRUE(log_.WaitForStarts(1));
  EXPECT_EQ(ImageOf(log_.Starts()[0]), wanted);
}

// The target takes the log it writes to as its argument: it reaches the log
// only when the argument reached the target.
TEST_F(Reliability, ADirectCommandGetsItsArgumentsWithTheSwitchFlagOff) {
  Assign("Fn-E", TargetProgram() + " " + log_.Path(), "0");
  Assign("Fn-R", "\"" + TargetProgram() + "\"  \"" + log_.Path() + "\"", "0");
  SetEnvironmentVariableA("KEYLARK_LAUNCH_LOG", nullptr);  // no way round the argument
  HWND key_bar = StartKeyBar();
  SetEnvironmentVariableA("KEYLARK_LAUNCH_LOG", log_.Path().c_str());
  ASSERT_NE(key_bar, nullptr);
  ReportFnKey(key_bar, kScanE, true);
  ReportFnKey(key_bar, kScanR, true);
  EXPECT_TRUE(log_.WaitForStarts(2));
}

TEST_F(Reliability, ARestoredKeyBarIsNeverLeftOffScreen) {
  Put(store::kConfigKey, "X", "30000");
  Put(store::kConfigKey, "Y", "300");
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  EXPECT_TRUE(OnScreen(key_bar)) << "a saved position on a monitor that is gone";
  EXPECT_EQ(Where(key_bar).top, 20);

  SetWindowPos(key_bar, nullptr, 5000, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  DWORD_PTR result = 0;
  SendMessageTimeoutA(key_bar, core::TrayCallbackMessage, core::TrayIconId, WM_LBUTTONDBLCLK,
                      SMTO_NORMAL, 10000, &result);
  EXPECT_TRUE(OnScreen(key_bar)) << "the tray's restore";

  SetWindowPos(key_bar, nullptr, -4000, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(key_bar, SW_MINIMIZE);  // hidden, to come back where it was
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(key_bar); }));
  KeylarkProcess second;
  ASSERT_TRUE(second.Start());
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(key_bar) && OnScreen(key_bar); }))
      << "a second start";
}

TEST_F(Reliability, AReportOrTrayClickWhileAMenuIsOpenReplacesIt) {
  AssignList(TargetProgram());
  Assign("Fn-E", TargetProgram(), "0");
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  for (int i = 0; i < 50; ++i) {
    ReportFnKey(key_bar, kScanA);
    if (i % 25 == 0)
      PostMessageA(key_bar, core::TrayCallbackMessage, core::TrayIconId, WM_RBUTTONUP);
  }
  ReportFnKey(key_bar, kScanE);  // handled after all of them
  const DWORD process = keylark_.ProcessId();
  int most = 0;
  ASSERT_TRUE(WaitFor([&] {
    most = std::max(most, CountMenus(process));
    return !log_.Starts().empty();
  }));
  EXPECT_TRUE(WaitFor([&] { return CountMenus(process) == 1; })) << "the last one stays";
  EXPECT_LE(most, 1);
}

TEST_F(Reliability, AfterACloseUnderAFloodTheProcessEndsPromptly) {
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  for (int i = 0; i < 10000; ++i) {
    PostMessageA(key_bar, core::TrayCallbackMessage, core::TrayIconId,
                 i % 2 ? WM_RBUTTONUP : WM_LBUTTONDBLCLK);
  }
  PostMessageA(key_bar, WM_CLOSE, 0, 0);
  EXPECT_TRUE(keylark_.WaitForExit(std::chrono::seconds(10)));
  KeylarkProcess next;
  ASSERT_TRUE(next.Start());
  EXPECT_NE(next.WaitForKeyBar(), nullptr) << "the single-instance guard was released";
}

TEST_F(Reliability, ACommandInAJapaneseFolderStarts) {
  // A name that takes more bytes than a path may have characters: only its
  // length in characters counts.
  std::wstring name;
  for (int i = 0; i < 12; ++i) name += L"起動テスト";
  const std::wstring target = CopyTarget(L"キーラーク試験\\日本語 の フォルダ\\" + name + L".exe");
  for (const wchar_t* key : {L"Fn-E", L"Fn-R"})
    PutTextW(L"Software\\Korvane\\Keylark\\ini\\cmd", key, target);
  Put(store::kSwitchFlagKey, "Fn-E", "0");
  Put(store::kSwitchFlagKey, "Fn-R", "1");
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  ReportFnKey(key_bar, kScanE, true);
  ASSERT_TRUE(log_.WaitForStarts(1)) << "switch flag off";
  ReportFnKey(key_bar, kScanR, true);
  ASSERT_TRUE(log_.WaitForStarts(2)) << "switch flag on";
  for (platform::ProcessId id : log_.Starts()) EXPECT_EQ(ImageOf(id), target);
}

}  // namespace
}  // namespace keylark::wintest
