#include "launch_log.h"

#include <fstream>
#include <sstream>

#include "keylark_process.h"

namespace keylark::wintest {

using platform::ProcessId;

std::string TargetProgram() {
  return WindowsPathFromEnvironment("KEYLARK_BIN_DIR") + "\\launch_target.exe";
}

std::string TempFilePath(const char* prefix) {
  char directory[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, directory);
  char path[MAX_PATH] = {};
  GetTempFileNameA(directory, prefix, 0, path);
  return path;
}

HWND TopLevelWindowOf(ProcessId id, const char* class_name) {
  struct Search {
    ProcessId id;
    const char* class_name;
    HWND found;
  } search{id, class_name, nullptr};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto* s = reinterpret_cast<Search*>(context);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != s->id || !IsWindowVisible(window)) return TRUE;
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        if (s->class_name != nullptr && std::string(name) != s->class_name) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void EndProcess(ProcessId id) {
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
  if (process == nullptr) return;
  TerminateProcess(process, 0);
  WaitForSingleObject(process, 5000);
  CloseHandle(process);
}

LaunchLog::LaunchLog() : path_(TempFilePath("klt")) {
  SetEnvironmentVariableA("KEYLARK_LAUNCH_LOG", path_.c_str());
}

LaunchLog::~LaunchLog() {
  EndAll();
  SetEnvironmentVariableA("KEYLARK_LAUNCH_LOG", nullptr);
  DeleteFileA(path_.c_str());
}

std::vector<ProcessId> LaunchLog::Starts() const {
  std::ifstream log(path_);
  std::vector<ProcessId> ids;
  std::string line;
  while (std::getline(log, line)) {
    std::istringstream fields(line);
    ProcessId id = 0;
    if (fields >> id) ids.push_back(id);
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
