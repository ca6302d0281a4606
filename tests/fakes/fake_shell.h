// A shell over a small process table (started programs run until a test ends
// them) that logs "shell-open <file>[ | <parameters>]", "start <line>",
// "snapshot", "show <window> <command>", "foreground <window>", "mouse <dx> <dy>".
#pragma once

#include <utility>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace keylark::fakes {

// One ordered record of the calls the shell and the key bar host receive.
using CallLog = std::vector<std::string>;

class FakeShell final : public platform::Shell {
 public:
  using WindowHandle = platform::WindowHandle;

  explicit FakeShell(CallLog& log) : log_(log) {}

  bool OpenWithShell(const std::string& file, const std::string& parameters) override {
    log_.push_back("shell-open " + file + (parameters.empty() ? "" : " | " + parameters));
    return true;
  }
  bool PathExists(const std::string& path) override { return existing_paths.count(path) != 0; }
  std::optional<platform::ProcessId> StartProgram(const std::string& command_line) override {
    log_.push_back("start " + command_line);
    if (not_programs.count(command_line) != 0) return std::nullopt;
    running.push_back(next_process_id_);
    if (foreground_after_start) foreground = *foreground_after_start;
    return std::exchange(next_process_id_, next_process_id_ + 4);
  }
  std::optional<std::vector<platform::ProcessId>> SnapshotProcessIds() override {
    log_.push_back("snapshot");
    return snapshot_fails ? std::nullopt : std::optional(running);
  }
  bool IsIconic(WindowHandle window) override { return iconic.count(window) != 0; }
  void ShowWindow(WindowHandle window, int show_command) override {
    log_.push_back("show " + std::to_string(window) + " " + std::to_string(show_command));
  }
  void SetForegroundWindow(WindowHandle window) override {
    log_.push_back("foreground " + std::to_string(window));
    foreground = window;
  }
  WindowHandle GetForegroundWindow() override { return foreground; }
  void MoveMouseBy(int dx, int dy) override {
    log_.push_back("mouse " + std::to_string(dx) + " " + std::to_string(dy));
  }

  void EndProcess(platform::ProcessId id) { std::erase(running, id); }

  WindowHandle foreground = 0;
  std::vector<platform::ProcessId> running{0, 4};
  std::set<std::string> not_programs;  // lines that fail to start
  // When set, a started program's window is in front right after the start.
  std::optional<WindowHandle> foreground_after_start;
  std::set<WindowHandle> iconic;
  std::set<std::string> existing_paths;
  bool snapshot_fails = false;

 private:
  CallLog& log_;
  platform::ProcessId next_process_id_ = 1000;
};

}  // namespace keylark::fakes
