// The shell, process and window calls the launcher makes, as plain types. The
// Win32 implementation forwards to ShellExecuteA, CreateProcessA, the tool-help
// snapshot and the user32 window calls; tests use a fake that records them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace keylark::platform {

// A window handle (HWND) as a number; 0 is no window.
using WindowHandle = std::uintptr_t;
using ProcessId = std::uint32_t;

// Show commands (SW_...).
inline constexpr int kShowNormal = 1;  // SW_SHOWNORMAL: restores a minimized window
inline constexpr int kShow = 5;        // SW_SHOW: shows it as it is

class Shell {
 public:
  virtual ~Shell() = default;

  // Opens a file, folder, document or URL with its default action and hands
  // the parameters to the program that opens it: no owner window, no verb,
  // empty directory, SW_SHOWNORMAL. True when the shell reported success;
  // callers may ignore it. Callers go through launch::OpenThroughShell, which
  // keeps from the shell any file name it cannot take.
  virtual bool OpenWithShell(const std::string& file, const std::string& parameters) = 0;

  // Whether a fully qualified path names an existing file or folder.
  virtual bool PathExists(const std::string& path) = 0;

  // Starts a whole command line as a program with a normal, focused window in
  // the current directory. The new process's identifier, or nothing when the
  // line does not start a program (a document, a missing file).
  virtual std::optional<ProcessId> StartProgram(const std::string& command_line) = 0;

  // The identifiers of all running processes, or nothing when no snapshot of
  // the process list could be taken.
  virtual std::optional<std::vector<ProcessId>> SnapshotProcessIds() = 0;

  virtual bool IsIconic(WindowHandle window) = 0;
  virtual void ShowWindow(WindowHandle window, int show_command) = 0;
  virtual void SetForegroundWindow(WindowHandle window) = 0;
  virtual WindowHandle GetForegroundWindow() = 0;

  // Moves the mouse pointer by a relative amount, in mickeys.
  virtual void MoveMouseBy(int dx, int dy) = 0;
};

}  // namespace keylark::platform
