// KeylarkFn.exe against a running key bar: one report by --send, hotkeys
// pressed on the keyboard, one resident agent per user, and --quit.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace keylark::wintest
