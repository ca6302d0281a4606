#include "keylark_process.h"

#include <cstdlib>
#include <thread>

#include "contract/registry_contract.h"

namespace keylark::wintest {

std::string WindowsPathFromEnvironment(const char* variable) {
  const char* value = std::getenv(variable);
  if (value == nullptr) return {};
  std::string path = value;
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds deadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

store::Store& TestStore() {
  static platform::win32::Win32Registry registry;
  static store::Store store(registry);
  return store;
}

void ResetStore() {
  auto& registry = TestStore().Registry();
  contract::DeleteTree(registry, platform::Root::CurrentUser, "Software\\Korvane");
  contract::DeleteTree(registry, platform::Root::LocalMachine, "Software\\Korvane");
}

HWND PublishedKeyBar() {
  const auto handle = TestStore().ReadPublishedWindowHandle();
  if (!handle) return nullptr;
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(*handle)));
}

KeylarkProcess::~KeylarkProcess() {
  if (info_.hProcess != nullptr) {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT && !Close()) {
      TerminateProcess(info_.hProcess, 1);
      WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
}

bool KeylarkProcess::Start() {
  const std::string exe = WindowsPathFromEnvironment("KEYLARK_EXE");
  std::string command_line = "\"" + exe + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  return CreateProcessA(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info_) != FALSE;
}

HWND KeylarkProcess::WaitForKeyBar() {
  HWND found = nullptr;
  WaitFor([&] {
    found = PublishedKeyBar();
    return found != nullptr && IsWindowVisible(found);
  });
  key_bar_ = found;
  return found;
}

bool KeylarkProcess::Close() {
  HWND target = key_bar_ != nullptr ? key_bar_ : PublishedKeyBar();
  if (target != nullptr) PostMessageA(target, WM_CLOSE, 0, 0);
  return WaitForExit(std::chrono::seconds(10));
}

bool KeylarkProcess::WaitForExit(std::chrono::milliseconds deadline) {
  if (info_.hProcess == nullptr) return true;
  return WaitForSingleObject(info_.hProcess, static_cast<DWORD>(deadline.count())) == WAIT_OBJECT_0;
}

}  // namespace keylark::wintest
