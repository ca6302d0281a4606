// The running key bar under abuse, seen from outside: long and planted
// commands, positions off every screen, floods of reports and clicks, a
// half-written store and paths in Japanese.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <fstream>

#include "core/window_messages.h"
#include "keylark_process.h"
#include "launch_log.h"
#include "store/layout.h"

namespace keylark::wintest {
namespace {

constexpr LPARAM kScan1 = 0x02, kScan2 = 0x03, kScanA = 0x1E, kScanE = 0x12, kScanR = 0x13,
                 kScanT = 0x14;

void Assign(const std::string& key, const std::string& command, const char* switch_flag) {
  TestStore().WriteText(store::kCommandKey, key, command, store::KeyMode::CreateIfMissing);
  TestStore().WriteText(store::kSwitchFlagKey, key, switch_flag, store::KeyMode::CreateIfMissing);
}

// A key report, sent (handled when this returns) or only posted.
void Report(HWND key_bar, LPARAM scan, bool wait = true) {
  DWORD_PTR result = 0;
  if (wait) {
    SendMessageTimeoutA(key_bar, core::FnKeyMessage, core::kFnKeyReportWParam, scan, SMTO_NORMAL,
                        10000, &result);
  } else {
    PostMessageA(key_bar, core::FnKeyMessage, core::kFnKeyReportWParam, scan);
  }
}

void PressKeyIn(HWND window, UINT key) {
  PostMessageA(window, WM_KEYDOWN, key, 0);
  PostMessageA(window, WM_KEYUP, key, 0xC0000000);
}

int CountMenus(DWORD process) {
  struct Count {
    DWORD process;
    int menus;
  } count{process, 0};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto* c = reinterpret_cast<Count*>(context);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (owner == c->process && IsWindowVisible(window) && std::string(name) == "#32768")
          ++c->menus;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count.menus;
}

std::wstring ImageOf(platform::ProcessId id) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  wchar_t path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  if (process != nullptr) QueryFullProcessImageNameW(process, 0, path, &size);
  if (process != nullptr) CloseHandle(process);
  return path;
}

bool AnyProcessNamed(const char* name) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32First(snapshot, &entry); more && !found;
       more = Process32Next(snapshot, &entry)) {
    found = lstrcmpiA(entry.szExeFile, name) == 0;
  }
  CloseHandle(snapshot);
  return found;
}

POINT Origin(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return POINT{rect.left, rect.top};
}

bool OnScreen(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect.left >= 0 && rect.top >= 0 && rect.right <= GetSystemMetrics(SM_CXSCREEN) &&
         rect.bottom <= GetSystemMetrics(SM_CYSCREEN);
}

// A folder of copies of launch_target.exe, removed with everything in it.
class TargetCopies {
 public:
  explicit TargetCopies(const std::wstring& name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    root_ = std::wstring(temp) + name;
    CreateDirectoryW(root_.c_str(), nullptr);
  }
  ~TargetCopies() {
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
      if (!DeleteFileW(it->c_str())) RemoveDirectoryW(it->c_str());
    }
    RemoveDirectoryW(root_.c_str());
  }
  TargetCopies(const TargetCopies&) = delete;
  TargetCopies& operator=(const TargetCopies&) = delete;

  // Copies the target to root\relative (folders made as needed); its full path.
  std::wstring Copy(const std::wstring& folder, const std::wstring& file) {
    const std::wstring dir = folder.empty() ? root_ : root_ + L"\\" + folder;
    if (CreateDirectoryW(dir.c_str(), nullptr)) made_.push_back(dir);
    const std::wstring path = dir + L"\\" + file;
    const std::string target = TargetProgram();
    CopyFileW(std::wstring(target.begin(), target.end()).c_str(), path.c_str(), FALSE);
    made_.push_back(path);
    return path;
  }
  const std::wstring& Root() const { return root_; }

 private:
  std::wstring root_;
  std::vector<std::wstring> made_;
};

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

class Reliability : public ::testing::Test {
 protected:
  void SetUp() override { ResetStore(); }
  void TearDown() override {
    for (int i = 0; i < 3; ++i) {
      if (HWND menu = TopLevelWindowOf(keylark_.ProcessId(), "#32768")) PressKeyIn(menu, VK_ESCAPE);
    }
    keylark_.Close();
    log_.EndAll();
    ResetStore();
  }
  HWND StartKeyBar() { return keylark_.Start() ? keylark_.WaitForKeyBar() : nullptr; }
  bool Running() { return !keylark_.WaitForExit(std::chrono::milliseconds(0)); }

  LaunchLog log_;  // before the key bar: Keylark inherits where targets log
  KeylarkProcess keylark_;
};

TEST_F(Reliability, NoCommandLengthTakesTheKeyBarDown) {
  const std::string path = "C:\\" + std::string(4000, 'a') + ".exe";
  Assign("Fn-1", path, "0");
  Assign("Fn-2", "C:\\" + std::string(1500, 'b'), "1");
  Assign("Fn-R", "http://localhost/" + std::string(2000, 'c'), "0");
  TestStore().WriteText(store::kCommandKey, "Fn-A", "@C:\\Lists", store::KeyMode::CreateIfMissing);
  TestStore().WriteText(store::PopupListKey("Fn-A"), "FileCount", "1",
                        store::KeyMode::CreateIfMissing);
  TestStore().WriteText(store::PopupItemKey("Fn-A", "Long"), "Long", path,
                        store::KeyMode::CreateIfMissing);
  Assign("Fn-E", TargetProgram(), "0");
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  for (LPARAM scan : {kScan1, kScan2, kScanR}) Report(key_bar, scan);
  Report(key_bar, kScanA, false);
  HWND menu = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (menu = TopLevelWindowOf(keylark_.ProcessId(), "#32768")); }));
  for (UINT key : {VK_DOWN, VK_DOWN, VK_RETURN}) PressKeyIn(menu, key);
  Report(key_bar, kScanE, false);
  ASSERT_TRUE(log_.WaitForStarts(1)) << "the key bar still launches";
  EXPECT_TRUE(Running());
  EXPECT_EQ(PublishedKeyBar(), key_bar);
}

TEST_F(Reliability, TheProgramStartedIsExactlyTheStoredFileNeverAPlantedOne) {
  TargetCopies copies(L"kl planted");
  const std::wstring wanted = copies.Copy(L"dir with space", L"kl target.exe");
  copies.Copy(L"", L"dir.exe");
  copies.Copy(L"", L"klplant.exe");
  Assign("Fn-E", Narrow(wanted), "1");
  Assign("Fn-R", "klplant.exe", "1");
  Assign("Fn-T", "klplant.exe", "0");
  // Keylark is started from the folder that holds the planted programs.
  char here[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, here);
  SetCurrentDirectoryW(copies.Root().c_str());
  HWND key_bar = StartKeyBar();
  SetCurrentDirectoryA(here);
  ASSERT_NE(key_bar, nullptr);

  Report(key_bar, kScanR);
  Report(key_bar, kScanT);
  EXPECT_FALSE(AnyProcessNamed("klplant.exe")) << "nothing from the current directory";
  Report(key_bar, kScanE, false);
  ASSERT_TRUE(log_.WaitForStarts(1));
  EXPECT_EQ(ImageOf(log_.Starts()[0]), wanted);
  log_.EndAll();  // before its copy goes
}

TEST_F(Reliability, ADirectCommandGetsItsArgumentsWithTheSwitchFlagOff) {
  Assign("Fn-E", TargetProgram() + " --exit", "0");
  Assign("Fn-R", "\"" + TargetProgram() + "\"  --exit", "0");
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  Report(key_bar, kScanE);
  Report(key_bar, kScanR);
  ASSERT_TRUE(log_.WaitForStarts(2));
  std::ifstream log(log_.Path());
  std::string line;
  while (std::getline(log, line)) EXPECT_NE(line.find(" --exit"), std::string::npos) << line;
}

TEST_F(Reliability, ARestoredKeyBarIsNeverLeftOffScreen) {
  TestStore().WriteText(store::kConfigKey, "X", "30000", store::KeyMode::CreateIfMissing);
  TestStore().WriteText(store::kConfigKey, "Y", "300", store::KeyMode::CreateIfMissing);
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  EXPECT_TRUE(OnScreen(key_bar)) << "a saved position on a monitor that is gone";
  EXPECT_EQ(Origin(key_bar).y, 20);

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
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(key_bar) && !IsIconic(key_bar); }));
  EXPECT_TRUE(WaitFor([&] { return OnScreen(key_bar); })) << "a second start";
}

TEST_F(Reliability, AReportOrTrayClickWhileAMenuIsOpenReplacesIt) {
  TestStore().WriteText(store::kCommandKey, "Fn-A", "@C:\\Lists", store::KeyMode::CreateIfMissing);
  TestStore().WriteText(store::PopupListKey("Fn-A"), "FileCount", "1",
                        store::KeyMode::CreateIfMissing);
  TestStore().WriteText(store::PopupItemKey("Fn-A", "Item"), "Item", TargetProgram(),
                        store::KeyMode::CreateIfMissing);
  Assign("Fn-E", TargetProgram(), "0");
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  for (int i = 0; i < 50; ++i) {
    Report(key_bar, kScanA, false);
    if (i % 25 == 0)
      PostMessageA(key_bar, core::TrayCallbackMessage, core::TrayIconId, WM_RBUTTONUP);
  }
  Report(key_bar, kScanE, false);  // handled after all of them
  int most = 0;
  ASSERT_TRUE(WaitFor([&] {
    most = std::max(most, CountMenus(keylark_.ProcessId()));
    return !log_.Starts().empty();
  }));
  EXPECT_TRUE(WaitFor([&] { return CountMenus(keylark_.ProcessId()) == 1; })) << "the last one";
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

TEST_F(Reliability, APartlyWrittenFirstRunIsCompletedValueByValue) {
  TestStore().WriteText(store::kConfigKey, "opts4", "0", store::KeyMode::CreateIfMissing);
  TestStore().WriteText(store::kConfigKey, "Y", "300", store::KeyMode::CreateIfMissing);
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  const std::pair<const char*, const char*> expected[] = {
      {"fIcon", "0"}, {"opts1", "0"}, {"opts2", "1"}, {"opts3", "0"},
      {"opts4", "0"}, {"opts5", "1"}, {"Y", "300"}};
  for (const auto& [name, text] : expected) {
    EXPECT_EQ(TestStore().ReadText(store::kConfigKey, name), text) << name;
  }
  RECT rect{};
  GetWindowRect(key_bar, &rect);
  const int first_run_left = (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) * 3;
  EXPECT_EQ(TestStore().ReadPosition("X"), first_run_left);
  EXPECT_EQ(Origin(key_bar).x, first_run_left / 15);
  EXPECT_EQ(Origin(key_bar).y, 20);
}

TEST_F(Reliability, ACommandInAJapaneseFolderStarts) {
  TargetCopies copies(L"キーラーク試験");
  // A name that takes more bytes than a path may have characters: only its
  // length in characters counts.
  std::wstring name;
  for (int i = 0; i < 12; ++i) name += L"起動テスト";
  const std::wstring target = copies.Copy(L"日本語 の フォルダ", name + L".exe");
  HKEY commands = nullptr;
  ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, L"Software\\Korvane\\Keylark\\ini\\cmd", &commands),
            ERROR_SUCCESS);
  for (const wchar_t* key : {L"Fn-E", L"Fn-R"}) {
    RegSetValueExW(commands, key, 0, REG_SZ, reinterpret_cast<const BYTE*>(target.c_str()),
                   static_cast<DWORD>((target.size() + 1) * sizeof(wchar_t)));
  }
  RegCloseKey(commands);
  TestStore().WriteText(store::kSwitchFlagKey, "Fn-E", "0", store::KeyMode::CreateIfMissing);
  TestStore().WriteText(store::kSwitchFlagKey, "Fn-R", "1", store::KeyMode::CreateIfMissing);
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  Report(key_bar, kScanE);
  ASSERT_TRUE(log_.WaitForStarts(1)) << "switch flag off";
  Report(key_bar, kScanR);
  ASSERT_TRUE(log_.WaitForStarts(2)) << "switch flag on";
  for (platform::ProcessId id : log_.Starts()) EXPECT_EQ(ImageOf(id), target);
  log_.EndAll();
}

}  // namespace
}  // namespace keylark::wintest
