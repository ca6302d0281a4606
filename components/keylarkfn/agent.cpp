#include "agent.h"

#include "control/fn_agent.h"
#include "control/win/console_text.h"
#include "control/win/key_bar_link.h"
#include "core/window_messages.h"

namespace keylark::fn {

int Agent::Run() {
  if (!CreateAgentWindow()) return 1;
  const control::HotkeyModifierSetting setting = control::ReadHotkeyModifiers(store_);
  std::vector<core::KeyInfo> taken;
  RegisterHotkeys(setting.modifiers, taken);
  std::string report = setting.problem;
  if (!taken.empty()) {
    report +=
        (report.empty() ? "" : "\n\n") + control::TakenHotkeysMessage(setting.modifiers, taken);
  }
  if (!report.empty()) Report(report);

  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

// An invisible top-level window, never shown: message-only windows would be
// simpler, but they receive no broadcasts, and the end of the session is
// announced (WM_QUERYENDSESSION, WM_ENDSESSION) to top-level windows only.
bool Agent::CreateAgentWindow() {
  if (!RegisterWindowClass(instance_, kAgentWindowClass, nullptr, nullptr, nullptr)) return false;
  return CreateWindowObject(WS_EX_TOOLWINDOW, kAgentWindowClass, "KeylarkFn", WS_POPUP, 0, 0, 0, 0,
                            nullptr, nullptr, instance_) != nullptr;
}

void Agent::RegisterHotkeys(std::uint32_t modifiers, std::vector<core::KeyInfo>& taken) {
  for (const control::Hotkey& hotkey : control::HotkeyTable(modifiers)) {
    if (RegisterHotKey(hwnd(), hotkey.id, hotkey.modifiers, hotkey.virtual_key)) {
      registered_.push_back(hotkey.id);
    } else {
      taken.push_back(hotkey.key);
    }
  }
}

void Agent::UnregisterHotkeys() {
  for (int id : registered_) UnregisterHotKey(hwnd(), id);
  registered_.clear();
}

// Once, at the start. Quiet agents (started by scripts and tests) write it to
// their standard error, if they have one, instead of waiting for a click.
void Agent::Report(const std::string& message) const {
  if (quiet_) {
    control::win::WriteStandard(STD_ERROR_HANDLE, "KeylarkFn: " + message + "\n");
  } else {
    MessageBoxA(nullptr, message.c_str(), "KeylarkFn", MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
  }
}

// With no live key bar the press is dropped: Keylark is not running.
void Agent::OnHotkey(int id) const {
  const std::optional<core::KeyInfo> key = control::KeyOfHotkey(id);
  if (!key) return;
  if (HWND key_bar = control::win::LiveKeyBar(store_)) {
    PostMessageA(key_bar, core::FnKeyMessage, core::kFnKeyReportWParam, key->scan_code);
  }
}

LRESULT Agent::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_HOTKEY:
      OnHotkey(static_cast<int>(wparam));
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;  // nothing to save
    case WM_ENDSESSION:
      if (wparam != FALSE) DestroyWindow(hwnd());
      return 0;
    case WM_CLOSE:  // --quit
      DestroyWindow(hwnd());
      return 0;
    case WM_DESTROY:
      UnregisterHotkeys();
      PostQuitMessage(0);
      return 0;
    default:
      return WindowBase::HandleMessage(message, wparam, lparam);
  }
}

}  // namespace keylark::fn
