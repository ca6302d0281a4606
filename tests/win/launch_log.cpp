#include "launch_log.h"

#include <fstream>

#include "keylark_process.h"

namespace keylark::wintest {

using platform::ProcessId;

std::string TargetProgram() {
  return WindowsPathFromEnvironment("KEYLARK_BIN_DIR") + "\\launch_target.exe";
}

std::string TempFilePath(const char* prefix) {
  char directory[MAX_PATH] = {}, path[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, directory);
  GetTempFileNameA(directory, prefix, 0, path);
  return path;
}

HWND TopLevelWindowOf(ProcessId id, const char* class_name) {
  for (HWND window : WindowsOf(id, class_name)) {
    if (IsWindowVisible(window)) return window;
  }
  return nullptr;
}

void EndProcess(ProcessId id) {
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
  if (process == nullptr) return;
  TerminateProcess(process, 0);
  WaitForSingleObject(process, 5000);
  CloseHandle(process);
}

LaunchLog::LaunchLog() { SetEnvironmentVariableA("KEYLARK_LAUNCH_LOG", path_.c_str()); }

LaunchLog::~LaunchLog() {
  EndAll();
  SetEnvironmentVariableA("KEYLARK_LAUNCH_LOG", nullptr);
  DeleteFileA(path_.c_str());
}

std::vector<ProcessId> LaunchLog::Starts() const {
  std::ifstream log(path_);
  std::vector<ProcessId> ids;
  for (std::string line; std::getline(log, line);) {
    if (const unsigned long id = std::strtoul(line.c_str(), nullptr, 10)) ids.push_back(id);
  }
  return ids;
}

bool LaunchLog::WaitForStarts(std::size_t count) const {
  return WaitFor([&] { return Starts().size() >= count; });
}

void LaunchLog::EndAll() const {
  for (ProcessId id : Starts()) EndProcess(id);
}

}  // namespace keylark::wintest
