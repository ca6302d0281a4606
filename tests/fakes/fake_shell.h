// A shell seam that records every action in a call log and simulates a small
// process table: started programs keep running until a test ends them.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fakes/call_log.h"
#include "platform/shell.h"

namespace keylark::fakes {

class FakeShell final : public platform::Shell {
 public:
  explicit FakeShell(CallLog& log) : log_(log) {}

  // Logged as "shell-open <file>", followed by " | <parameters>" when there are any.
  bool OpenWithShell(const std::string& file, const std::string& parameters) override;
  // True for the paths in existing_paths.
  bool PathExists(const std::string& path) override;
  // Logged as "start <command line>"; fails for lines in not_programs.
  std::optional<platform::ProcessId> StartProgram(const std::string& command_line) override;
  // Logged as "snapshot".
  std::optional<std::vector<platform::ProcessId>> SnapshotProcessIds() override;
  bool IsIconic(platform::WindowHandle window) override;
  // Logged as "show <window> <command>".
  void ShowWindow(platform::WindowHandle window, int show_command) override;
  // Logged as "foreground <window>"; the window is then in front.
  void SetForegroundWindow(platform::WindowHandle window) override;
  platform::WindowHandle GetForegroundWindow() override;
  // Logged as "mouse <dx> <dy>".
  void MoveMouseBy(int dx, int dy) override;

  void EndProcess(platform::ProcessId id);

  platform::WindowHandle foreground = 0;
  // When set, a started program's window is in front right after the start.
  std::optional<platform::WindowHandle> foreground_after_start;
  std::set<platform::WindowHandle> iconic;
  std::vector<platform::ProcessId> running{0, 4};
  std::set<std::string> not_programs;
  std::set<std::string> existing_paths;
  bool snapshot_fails = false;
  platform::ProcessId next_process_id = 1000;

 private:
  CallLog& log_;
};

}  // namespace keylark::fakes
