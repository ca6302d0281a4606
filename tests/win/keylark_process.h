// Drives a real Keylark.exe from a test: start it, wait for its key bar,
// close it, and reset, seed or read the registry it uses by literal paths.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fakes/registry_layout.h"
#include "platform/win32/win32_registry.h"
#include "store/registry_store.h"

namespace keylark::wintest {

namespace layout = fakes::layout;

// A Windows path from an environment variable that holds a Unix path.
std::string WindowsPathFromEnvironment(const char* variable);

// Polls until the condition holds or the deadline passes; true when it held.
bool WaitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds deadline = std::chrono::seconds(10));

// Deletes everything Keylark keeps under both roots.
void ResetStore();

// A text as Keylark writes it (REG_SZ: its bytes and one NUL).
void Put(const std::string& path, const std::string& name, const std::string& text,
         platform::Root root = platform::Root::CurrentUser);
// A value's bytes under HKEY_CURRENT_USER, or nothing when it is absent.
std::optional<store::Bytes> Raw(const std::string& path, const std::string& name);
// A value's text up to its first NUL, or "<absent>".
std::string Text(const std::string& path, const std::string& name);
// A value under HKEY_CURRENT_USER written through the wide functions.
void PutW(const std::wstring& path, const std::wstring& name, DWORD type, const void* data,
          DWORD size);
void PutTextW(const std::wstring& path, const std::wstring& name, const std::wstring& text);
// The notebook's provisioning reserves a key by its character.
void Reserve(const char* character);
// A key's direct command and its switch flag.
void Assign(const std::string& key, const std::string& command, const char* switch_flag);
// Sends a message and returns once the window has handled it.
void SendAndWait(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// The Fn-key component's report of a key by its make code: posted, or sent.
void ReportFnKey(HWND key_bar, LPARAM make_code, bool wait = false);

// Every key ("HKCU\path|") and value ("HKCU\path|NAME" in capitals: "type:data")
// below "Software\Korvane" of both roots.
using RegistryDump = std::map<std::string, std::string>;
RegistryDump DumpRegistry();

void PressKeyIn(HWND window, UINT key);

// A window's client-area pixels as the screen shows them, row by row.
using Pixels = std::vector<COLORREF>;
Pixels CaptureClient(HWND window);
// How many pixels of a key's label have exactly this colour.
int LabelPixels(const Pixels& pixels, HWND key_bar, int index, COLORREF colour);
int LabelPixels(HWND key_bar, int index, COLORREF colour);

// A visible dialog with this caption (nullptr when none came in time), or its going.
HWND WaitForDialog(const char* caption);
bool WaitUntilGone(const char* caption);
// A dialog control's text, and a click on a button.
std::wstring ItemText(HWND dialog, int id);
void Click(HWND dialog, int id);
// A process's top-level windows of a class, shown or not.
std::vector<HWND> WindowsOf(DWORD process, const char* class_name);
// UTF-8 text as wide text.
std::wstring Wide(const std::string& text);
// Writes a shortcut the way the shell does; the calling thread has COM.
struct ShortcutSpec {
  std::string target;
  std::string arguments;
  std::string working_directory;
  std::string description;
  std::string icon_path;
  int icon_index = 0;
};
HRESULT CreateShortcut(const std::string& file, const ShortcutSpec& spec);
// The id of a running process with this file name, or 0.
DWORD ProcessNamed(const char* name);

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

 private:
  PROCESS_INFORMATION info_{};
  HWND key_bar_ = nullptr;
};

// The handle published under HKCU "Software\Korvane" value "Keylark", or nullptr.
HWND PublishedKeyBar();

store::Store& TestStore();

// One key bar per test on a registry that starts and ends empty.
class KeyBarTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetStore(); }
  void TearDown() override {
    keylark_.Close();
    ResetStore();
  }
  HWND StartKeyBar() { return keylark_.Start() ? keylark_.WaitForKeyBar() : nullptr; }

  KeylarkProcess keylark_;
};

}  // namespace keylark::wintest
