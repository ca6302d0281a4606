// The programs beside Keylark as scripts run them. KeylarkFn.exe against a
// running key bar: one report by --send, hotkeys pressed on the keyboard, one
// resident agent per user, and --quit.

#include <filesystem>
#include <fstream>

#include "core/key_table.h"
#include "core/window_messages.h"
#include "keylark_process.h"

namespace keylark::wintest {
namespace {

constexpr const char* kAgent = "KeylarkFn.exe";

HWND ResidentAgent() { return FindWindowA("KeylarkFnAgent", nullptr); }

class FnAgent : public KeyBarTest {
 protected:
  void SetUp() override {
    KeyBarTest::SetUp();
    Assign("Fn-E", TargetProgram(), "0");
  }
  void TearDown() override {
    RunToEnd(kAgent, "--quit");
    KeyBarTest::TearDown();
  }

  LaunchLog log_;  // before any key bar starts: Keylark inherits where targets log
};

TEST_F(FnAgent, SendReachesOnlyALiveKeyBarWhichStartsTheKeysCommand) {
  const ProgramRun none = RunToEnd(kAgent, "--send E");
  EXPECT_EQ(none.exit_code, 1U);
  EXPECT_NE(none.err.find("Keylark is not running"), std::string::npos) << none.err;

  // A handle left behind that now names another program's window.
  HWND other =
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  TestStore().PublishWindowHandle(
      static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(other)));
  EXPECT_EQ(RunToEnd(kAgent, "--send E").exit_code, 1U);
  MSG report{};
  EXPECT_FALSE(PeekMessageA(&report, other, core::FnKeyMessage, core::FnKeyMessage, PM_REMOVE));
  DestroyWindow(other);

  ASSERT_NE(StartKeyBar(), nullptr);
  EXPECT_EQ(RunToEnd(kAgent, "--send E").exit_code, 0U);
  ASSERT_TRUE(log_.WaitForStarts(1));
  const ProgramRun unknown = RunToEnd(kAgent, "--send I");
  EXPECT_EQ(unknown.exit_code, 2U);
  EXPECT_NE(unknown.err.find("unknown key \"I\""), std::string::npos) << unknown.err;
}

TEST_F(FnAgent, HotkeysReachTheKeyBarAndTakenOnesAreReportedByName) {
  ASSERT_NE(StartKeyBar(), nullptr);
  // Another program holds Ctrl+Alt+Shift+Z already.
  ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'Z'));
  const Program agent(kAgent, "--quiet");
  ASSERT_TRUE(WaitFor([&] { return ResidentAgent() != nullptr && !agent.Err().empty(); }));
  EXPECT_NE(agent.Err().find("could not register Ctrl+Alt+Shift+Z: another program uses them"),
            std::string::npos)
      << agent.Err();
  UnregisterHotKey(nullptr, 1);

  // Real key presses, through the system's hotkey handling.
  const BYTE keys[] = {VK_CONTROL, VK_MENU, VK_SHIFT, 'E'};
  for (const BYTE key : keys) keybd_event(key, 0, 0, 0);
  for (int i = 3; i >= 0; --i) keybd_event(keys[i], 0, KEYEVENTF_KEYUP, 0);
  EXPECT_TRUE(log_.WaitForStarts(1)) << "the hotkey is reported and launches Fn-E";
  EXPECT_TRUE(agent.Running());
}

TEST_F(FnAgent, ASecondStartLeavesOneAgentAndQuitEndsIt) {
  const ProgramRun none = RunToEnd(kAgent, "--quit");
  EXPECT_EQ(none.exit_code, 0U) << "nothing to end is no failure";
  EXPECT_NE(none.out.find("not running"), std::string::npos) << none.out;
  const Program first(kAgent, "--quiet");
  ASSERT_TRUE(WaitFor([] { return ResidentAgent() != nullptr; }));
  const HWND window = ResidentAgent();

  const Program second(kAgent, "--quiet");
  ASSERT_TRUE(second.WaitForExit());
  EXPECT_EQ(second.ExitCode(), 0U);
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(ResidentAgent(), window);

  EXPECT_EQ(RunToEnd(kAgent, "--quit").exit_code, 0U);
  EXPECT_TRUE(first.WaitForExit(std::chrono::seconds(10)));
  EXPECT_EQ(first.ExitCode(), 0U);
  EXPECT_EQ(ResidentAgent(), nullptr);
}

// keylarkctl.exe against the real registry: an export, every key cleared, and
// the import must give back the registry exactly, texts in any script included.
constexpr const char* kCtl = "keylarkctl.exe";

using Keylarkctl = KeyBarTest;  // no key bar: only the registry reset

TEST_F(Keylarkctl, ExportThenClearingEveryKeyThenImportRestoresTheRegistryExactly) {
  const std::string folder = TempFilePath("kmn");  // a file name made free for a folder
  DeleteFileA(folder.c_str());
  CreateDirectoryA(folder.c_str(), nullptr);
  const char* files[] = {"\\Notepad.lnk", "\\calc.exe", "\\Hidden.lnk"};
  for (const char* name : files) std::ofstream(folder + name) << "x";
  SetFileAttributesA((folder + files[2]).c_str(), FILE_ATTRIBUTE_HIDDEN);
  ASSERT_EQ(RunToEnd(kCtl, "set 1 --command \"C:\\Tools\\run.exe /x\" --description Run").exit_code,
            0U);
  ASSERT_EQ(RunToEnd(kCtl, "set-popup A \"" + folder + "\"").exit_code, 0U);
  EXPECT_EQ(Text(layout::Prg("Fn-A"), "FileCount"), "2");
  const std::wstring ini = L"Software\\Korvane\\Keylark\\ini\\";
  PutW(ini + L"desc", L"Fn-Q", L"Tab\there \"quoted\" Ünïcode 日本");
  PutW(ini + L"cmd", L"Fn-Q", L"C:\\Café\\app.exe");
  PutW(ini + L"cwd", L"Fn-Q", L"");
  PutRaw(layout::kOpts, "Fn-Q", REG_DWORD, {7, 0, 0, 0});
  PutW(L"Software\\Korvane\\Keylark\\prg\\Fn-Z\\Ärger", L"Ärger", L"C:\\Ä\\Ärger.lnk");
  const RegistryDump before = DumpRegistry();

  const std::string exported = TempFilePath("kct");
  ASSERT_EQ(RunToEnd(kCtl, "export \"" + exported + "\"").exit_code, 0U);
  for (const core::KeyInfo& key : core::kKeys)
    ASSERT_EQ(RunToEnd(kCtl, std::string("clear ") + key.character).exit_code, 0U);
  ASSERT_NE(DumpRegistry(), before);
  const ProgramRun import = RunToEnd(kCtl, "import \"" + exported + "\"");
  EXPECT_EQ(import.exit_code, 0U) << import.err;
  EXPECT_EQ(DumpRegistry(), before);

  DeleteFileA(exported.c_str());
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace keylark::wintest
