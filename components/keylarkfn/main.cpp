// KeylarkFn.exe: Fn-key reports for PCs without the notebook's Fn-key
// handler. Resident, it turns hotkeys into the reports; with --send it makes
// one report and ends; with --quit it ends the resident one.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "agent.h"
#include "control/fn_agent.h"
#include "control/win/console_text.h"
#include "control/win/key_bar_link.h"
#include "core/window_messages.h"
#include "platform/win32/resident_instance.h"
#include "platform/win32/win32_registry.h"

namespace keylark::fn {
namespace {

using control::win::WriteStandard;

// One resident agent per logged-on user, like Keylark itself.
constexpr const char* kInstanceMutexName = "Local\\Korvane.Keylark.FnAgent";
constexpr DWORD kQuitDeadlineMs = 10000;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int Tell(DWORD which, const std::string& message, int exit_code) {
  control::win::UseStarterConsole();
  WriteStandard(which, message);
  return exit_code;
}

int SendKey(const store::Store& store, const core::KeyInfo& key) {
  const std::string name = core::KeyNameOf(key.character);
  HWND key_bar = control::win::LiveKeyBar(store);
  if (key_bar == nullptr) {
    return Tell(STD_ERROR_HANDLE,
                "KeylarkFn: Keylark is not running, so " + name + " was not reported.\n",
                kExitFailed);
  }
  if (!PostMessageA(key_bar, core::FnKeyMessage, core::kFnKeyReportWParam, key.scan_code)) {
    return Tell(STD_ERROR_HANDLE, "KeylarkFn: " + name + " could not be reported to Keylark.\n",
                kExitFailed);
  }
  return 0;
}

int QuitResidentAgent() {
  HWND agent = FindWindowA(kAgentWindowClass, nullptr);
  if (agent == nullptr) return Tell(STD_OUTPUT_HANDLE, "KeylarkFn is not running.\n", 0);
  DWORD process_id = 0;
  GetWindowThreadProcessId(agent, &process_id);
  const platform::win32::KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, process_id));
  PostMessageA(agent, WM_CLOSE, 0, 0);
  const bool ended =
      process && WaitForSingleObject(process.Get(), kQuitDeadlineMs) == WAIT_OBJECT_0;
  if (!ended) {
    return Tell(STD_ERROR_HANDLE, "KeylarkFn: the running agent did not end.\n", kExitFailed);
  }
  return 0;
}

int RunResident(HINSTANCE instance, const store::Store& store, bool quiet) {
  const platform::win32::InstanceGuard guard(kInstanceMutexName);
  if (guard.AnotherIsRunning()) return 0;  // a second start changes nothing
  Agent agent(instance, store, quiet);
  return agent.Run();
}

}  // namespace
}  // namespace keylark::fn

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using keylark::control::AgentRequest;
  const std::vector<std::string> args(__argv + 1, __argv + __argc);
  const AgentRequest request = keylark::control::ParseAgentArguments(args);
  keylark::platform::win32::Win32Registry registry;
  const keylark::store::Store store(registry);
  switch (request.mode) {
    case AgentRequest::Mode::Send:
      return keylark::fn::SendKey(store, *request.key);
    case AgentRequest::Mode::Quit:
      return keylark::fn::QuitResidentAgent();
    case AgentRequest::Mode::Help:
      return keylark::fn::Tell(STD_OUTPUT_HANDLE, keylark::control::kAgentUsage, 0);
    case AgentRequest::Mode::Invalid:
      return keylark::fn::Tell(
          STD_ERROR_HANDLE, "KeylarkFn: " + request.problem + "\n" + keylark::control::kAgentUsage,
          keylark::fn::kExitUsage);
    case AgentRequest::Mode::Resident:
      break;
  }
  return keylark::fn::RunResident(instance, store, request.quiet);
}
