// The running key bar under abuse, seen from outside: planted and Japanese
// commands, running instances, floods of reports and clicks.

#include <algorithm>
#include <filesystem>

#include "core/window_messages.h"
#include "keylark_process.h"

namespace keylark::wintest {
namespace {

constexpr LPARAM kScanA = 0x1E, kScanE = 0x12, kScanR = 0x13, kScanT = 0x14, kScanW = 0x11;

int CountMenus(DWORD process) {
  const std::vector<HWND> menus = WindowsOf(process, "#32768");
  return static_cast<int>(std::count_if(menus.begin(), menus.end(), IsWindowVisible));
}

std::wstring ImageOf(platform::ProcessId id) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  wchar_t path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  QueryFullProcessImageNameW(process, 0, path, &size);
  CloseHandle(process);
  return path;
}

// A copy of launch_target.exe below the temporary folder (the session's prefix).
std::wstring CopyTarget(const std::wstring& relative) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / relative;
  std::filesystem::create_directories(path.parent_path());
  std::filesystem::copy_file(TargetProgram(), path,
                             std::filesystem::copy_options::overwrite_existing);
  return path.wstring();
}

class Reliability : public KeyBarTest {
 protected:
  void TearDown() override {
    KeyBarTest::TearDown();  // also ends a menu left open
    log_.EndAll();
  }
  LaunchLog log_;
};

// The targets take their log as their argument and are started without the
// log in their environment: they log only when the argument reached them.
TEST_F(Reliability, TheStoredFileStartsWithItsArgumentsNeverAPlantedOne) {
  const std::wstring wanted = CopyTarget(L"kl planted\\dir with space\\kl target.exe");
  CopyTarget(L"kl planted\\dir.exe");
  const std::wstring planted = CopyTarget(L"kl planted\\klplant.exe");
  Assign("Fn-E", "\"" + std::string(wanted.begin(), wanted.end()) + "\"  \"" + log_.Path() + "\"",
         "0");
  Assign("Fn-W", TargetProgram() + " " + log_.Path(), "0");
  Assign("Fn-R", "klplant.exe", "1");
  Assign("Fn-T", "klplant.exe", "0");
  // Keylark is started from the folder that holds the planted programs.
  SetEnvironmentVariableA("KEYLARK_LAUNCH_LOG", nullptr);
  keylark_.Start("Keylark.exe", "",
                 std::string(planted.begin(), planted.begin() + planted.rfind(L'\\')));
  SetEnvironmentVariableA("KEYLARK_LAUNCH_LOG", log_.Path().c_str());
  HWND key_bar = keylark_.WaitForKeyBar();
  ASSERT_NE(key_bar, nullptr);
  ReportFnKey(key_bar, kScanR, true);
  ReportFnKey(key_bar, kScanT, true);
  EXPECT_EQ(ProcessNamed("klplant.exe"), 0U) << "nothing from the current directory";
  ReportFnKey(key_bar, kScanE, true);
  ASSERT_TRUE(log_.WaitForStarts(1));
  EXPECT_EQ(ImageOf(log_.Starts()[0]), wanted);
  ReportFnKey(key_bar, kScanW, true);
  EXPECT_TRUE(log_.WaitForStarts(2));
}

// A key with the switch flag brings its running program forward: the started
// process's id is found in the real process snapshot until the program ends.
// Also from a Japanese folder with a name longer in bytes than a path may have
// characters.
TEST_F(Reliability, WithTheSwitchFlagARunningInstanceIsNotStartedAgain) {
  std::wstring name;
  for (int i = 0; i < 12; ++i) name += L"起動テスト";
  const std::wstring target = CopyTarget(L"キーラーク試験\\日本語 の フォルダ\\" + name + L".exe");
  for (const wchar_t* key : {L"Fn-E", L"Fn-R"})
    PutW(L"Software\\Korvane\\Keylark\\ini\\cmd", key, target);
  Put(layout::kOpts, "Fn-E", "1");
  Put(layout::kOpts, "Fn-R", "0");
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  ReportFnKey(key_bar, kScanE);
  ASSERT_TRUE(log_.WaitForStarts(1));
  const platform::ProcessId first = log_.Starts()[0];
  ASSERT_TRUE(WaitFor([&] { return TopLevelWindowOf(first) != nullptr; }));
  ReportFnKey(key_bar, kScanE, true);  // a start would be logged well within the wait
  EXPECT_FALSE(log_.WaitForStarts(2, 1500ms)) << "the running instance is brought forward instead";
  ReportFnKey(key_bar, kScanR, true);
  ASSERT_TRUE(log_.WaitForStarts(2)) << "without the switch flag another starts";

  log_.EndAll();
  ReportFnKey(key_bar, kScanE, true);
  ASSERT_TRUE(log_.WaitForStarts(3)) << "after it ended the key starts it again";
  for (platform::ProcessId id : log_.Starts()) EXPECT_EQ(ImageOf(id), target);
}

TEST_F(Reliability, AReportOrTrayClickWhileAMenuIsOpenReplacesIt) {
  Put(layout::kCmd, "Fn-A", "@C:\\Lists");
  Put(layout::Prg("Fn-A"), "FileCount", "1");
  Put(layout::PrgItem("Fn-A", "Item"), "Item", TargetProgram());
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
  // Wide enough for a loaded machine; a close lost in the flood never ends.
  EXPECT_TRUE(keylark_.WaitForExit(std::chrono::seconds(30)));
  Program next;
  ASSERT_TRUE(next.Start());
  EXPECT_NE(next.WaitForKeyBar(), nullptr) << "the single-instance guard was released";
}

}  // namespace
}  // namespace keylark::wintest
