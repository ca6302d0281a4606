// Drives a real Keylark.exe from a test: start it, wait for its key bar,
// close it, and reset or seed the registry it reads.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

#include "platform/win32/win32_registry.h"
#include "store/registry_store.h"

namespace keylark::wintest {

// A Windows path from an environment variable that holds a Unix path.
std::string WindowsPathFromEnvironment(const char* variable);

// Polls until the condition holds or the deadline passes; true when it held.
bool WaitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds deadline = std::chrono::seconds(10));

// Deletes everything Keylark keeps under both roots.
void ResetStore();

class KeylarkProcess {
 public:
  KeylarkProcess() = default;
  ~KeylarkProcess();
  KeylarkProcess(const KeylarkProcess&) = delete;
  KeylarkProcess& operator=(const KeylarkProcess&) = delete;

  bool Start();
  // Waits for the published handle of a visible key bar; nullptr on timeout.
  HWND WaitForKeyBar();
  // Asks the key bar to close and waits for the process to end.
  bool Close();
  bool WaitForExit(std::chrono::milliseconds deadline);
  DWORD ProcessId() const { return info_.dwProcessId; }
  HANDLE ProcessHandle() const { return info_.hProcess; }

 private:
  PROCESS_INFORMATION info_{};
  HWND key_bar_ = nullptr;
};

// The handle published under HKCU\Software\Korvane, or nullptr.
HWND PublishedKeyBar();

store::Store& TestStore();

}  // namespace keylark::wintest
