// The shell seam over shell32, kernel32 and user32.
#pragma once

#include "platform/shell.h"

namespace keylark::platform::win32 {

class Win32Shell final : public Shell {
 public:
  bool OpenWithShell(const std::string& file, const std::string& parameters) override;
  bool PathExists(const std::string& path) override;
  std::optional<ProcessId> StartProgram(const std::string& command_line) override;
  std::optional<std::vector<ProcessId>> SnapshotProcessIds() override;
  bool IsIconic(WindowHandle window) override;
  void ShowWindow(WindowHandle window, int show_command) override;
  void SetForegroundWindow(WindowHandle window) override;
  WindowHandle GetForegroundWindow() override;
  void MoveMouseBy(int dx, int dy) override;
};

}  // namespace keylark::platform::win32
