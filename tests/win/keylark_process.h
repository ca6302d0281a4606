// Drives the real programs from a test: Keylark.exe and its key bar, the
// command-line programs beside it, and the registry they use, by literal paths.
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
#include "platform/shell.h"
#include "platform/win32/win32_registry.h"
#include "remote_controls.h"
#include "store/registry_store.h"

namespace keylark::wintest {

namespace layout = fakes::layout;
using namespace std::chrono_literals;

// A Windows path from an environment variable that holds a Unix path.
std::string WindowsPathFromEnvironment(const char* variable);
std::string FileText(const std::string& path);  // a file's whole content
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds deadline = 10s);

// Deletes everything Keylark keeps under both roots.
void ResetStore();
store::Store& TestStore();
// A value as given, and a text as Keylark writes it (REG_SZ: its bytes and one NUL).
void PutRaw(const std::string& path, const std::string& name, DWORD type, const store::Bytes& data,
            platform::Root root = platform::Root::CurrentUser);
void Put(const std::string& path, const std::string& name, const std::string& text,
         platform::Root root = platform::Root::CurrentUser);
// A text under HKEY_CURRENT_USER through the wide functions (this program has
// no UTF-8 code page of its own).
void PutW(const std::wstring& path, const std::wstring& name, const std::wstring& text);
// A value's bytes under HKEY_CURRENT_USER, or its text up to the first NUL ("<absent>").
std::optional<store::Bytes> Raw(const std::string& path, const std::string& name);
std::string Text(const std::string& path, const std::string& name);
void Reserve(const char* character);  // as the notebook's provisioning does
void Assign(const std::string& key, const std::string& command, const char* switch_flag);

// Every key ("HKCU\path|") and value ("HKCU\path|NAME" in capitals: "type:data")
// below "Software\Korvane" of both roots.
using RegistryDump = std::map<std::string, std::string>;
RegistryDump DumpRegistry();

// The Fn-key component's report of a key by its make code: posted, or sent.
void ReportFnKey(HWND key_bar, LPARAM make_code, bool wait = false);
void PressKeyIn(HWND window, UINT key);
// Whether the window's thread takes a message in time (it is not held up).
bool AnswersWithin(HWND window, std::chrono::milliseconds deadline);

// A window's client-area pixels as the screen shows them, row by row, and how
// many pixels of a key's label have exactly this colour.
using Pixels = std::vector<COLORREF>;
Pixels CaptureClient(HWND window);
int LabelPixels(const Pixels& pixels, HWND key_bar, int index, COLORREF colour);

// The visible dialogs that hold a control with this id (found by what they
// hold: captions follow the language), the first to come, or their going.
std::vector<HWND> DialogsWith(int control_id);
HWND WaitForDialog(int control_id, std::chrono::milliseconds deadline = 10s);
bool WaitUntilGone(int control_id);
std::wstring ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::wstring& text);
void Click(HWND dialog, int id);
// The top-level windows of a class of a process (any with 0), shown or not.
std::vector<HWND> WindowsOf(DWORD process, const char* class_name);
std::wstring Wide(const std::string& text);  // from UTF-8
std::string Utf8(const std::wstring& text);  // and back
// Writes a shortcut the way the shell does; the calling thread has COM.
struct ShortcutFields {
  std::string target, arguments, working_directory, description, icon_path;
  int icon_index = 0;
};
HRESULT CreateShortcut(const std::string& file, const ShortcutFields& fields);
DWORD ProcessNamed(const char* name);  // a running process's id, or 0

// The handle published under HKCU "Software\Korvane" value "Keylark", or nullptr.
HWND PublishedKeyBar();
// A right click on key E's label, then `button` of the Assignment Type
// dialog: the dialog that opens next, found by its control, or nullptr.
HWND ChooseForKeyE(HWND key_bar, int button, int next_control);

// A program beside Keylark.exe (or at a full path) run as a script runs it, in
// the test's current folder or the one given: its output and errors caught in
// files, its exit code kept. Ended (a key bar closed) when it goes.
class Program {
 public:
  Program() = default;
  Program(const std::string& name, const std::string& arguments, const std::string& folder = "") {
    Start(name, arguments, folder);
  }
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool Start(const std::string& name = "Keylark.exe", const std::string& arguments = "",
             const std::string& folder = "");
  bool WaitForExit(std::chrono::milliseconds deadline = 20s) const;
  bool Running() const { return process_ != nullptr && !WaitForExit(0ms); }
  DWORD ExitCode() const {  // or STILL_ACTIVE
    DWORD code = STILL_ACTIVE;
    return GetExitCodeProcess(process_, &code) ? code : STILL_ACTIVE;
  }
  DWORD ProcessId() const { return GetProcessId(process_); }
  std::string Out() const { return FileText(out_path_); }
  std::string Err() const { return FileText(err_path_); }
  // Waits for the published handle of this program's visible key bar; nullptr
  // on timeout.
  HWND WaitForKeyBar();
  // Asks the key bar to close and waits for the process to end.
  bool Close();

 private:
  HANDLE process_ = nullptr;
  HWND key_bar_ = nullptr;
  std::string out_path_, err_path_;
};

struct ProgramRun {
  DWORD exit_code;
  std::string out, err;
};
// Runs a program to its end (or ends it after 20 seconds).
ProgramRun RunToEnd(const std::string& name, const std::string& arguments,
                    const std::string& folder = "");

// launch_target.exe as the program tests launch, and the log in which every
// start of it records its process id.
std::string TargetProgram();                   // launch_target.exe beside Keylark.exe
std::string TempFilePath(const char* prefix);  // a new empty file
// A visible top-level window of a process (of the class, when one is named).
HWND TopLevelWindowOf(platform::ProcessId id, const char* class_name = nullptr);
void EndProcess(platform::ProcessId id);  // and waits for it

// A fresh log for this process and its children; the targets it recorded are
// ended when it goes.
class LaunchLog {
 public:
  LaunchLog();
  ~LaunchLog();
  LaunchLog(const LaunchLog&) = delete;
  LaunchLog& operator=(const LaunchLog&) = delete;

  const std::string& Path() const { return path_; }
  std::vector<platform::ProcessId> Starts() const;  // in order
  bool WaitForStarts(std::size_t count, std::chrono::milliseconds deadline = 10s) const {
    return WaitFor([&] { return Starts().size() >= count; }, deadline);
  }
  void EndAll() const {
    for (platform::ProcessId id : Starts()) EndProcess(id);
  }

 private:
  std::string path_ = TempFilePath("klt");
};

// One key bar per test on a registry that starts and ends empty.
class KeyBarTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetStore(); }
  void TearDown() override {
    keylark_.Close();
    ResetStore();
  }
  HWND StartKeyBar() { return keylark_.Start() ? keylark_.WaitForKeyBar() : nullptr; }

  Program keylark_;
};

}  // namespace keylark::wintest
