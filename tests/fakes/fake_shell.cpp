#include "fakes/fake_shell.h"

#include <algorithm>

namespace keylark::fakes {

bool FakeShell::OpenWithShell(const std::string& file, const std::string& parameters) {
  log_.push_back("shell-open " + file + (parameters.empty() ? "" : " | " + parameters));
  return true;
}

bool FakeShell::PathExists(const std::string& path) { return existing_paths.count(path) != 0; }

std::optional<platform::ProcessId> FakeShell::StartProgram(const std::string& command_line) {
  log_.push_back("start " + command_line);
  if (not_programs.count(command_line) != 0) return std::nullopt;
  const platform::ProcessId id = next_process_id;
  next_process_id += 4;
  running.push_back(id);
  if (foreground_after_start) foreground = *foreground_after_start;
  return id;
}

std::optional<std::vector<platform::ProcessId>> FakeShell::SnapshotProcessIds() {
  log_.push_back("snapshot");
  if (snapshot_fails) return std::nullopt;
  return running;
}

bool FakeShell::IsIconic(platform::WindowHandle window) { return iconic.count(window) != 0; }

void FakeShell::ShowWindow(platform::WindowHandle window, int show_command) {
  log_.push_back("show " + std::to_string(window) + " " + std::to_string(show_command));
}

void FakeShell::SetForegroundWindow(platform::WindowHandle window) {
  log_.push_back("foreground " + std::to_string(window));
  foreground = window;
}

platform::WindowHandle FakeShell::GetForegroundWindow() { return foreground; }

void FakeShell::MoveMouseBy(int dx, int dy) {
  log_.push_back("mouse " + std::to_string(dx) + " " + std::to_string(dy));
}

void FakeShell::EndProcess(platform::ProcessId id) {
  running.erase(std::remove(running.begin(), running.end(), id), running.end());
}

}  // namespace keylark::fakes
