// launch_target.exe as the program tests launch, and the log in which every
// start of it records its process id.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/shell.h"

namespace keylark::wintest {

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
  bool WaitForStarts(std::size_t count) const;
  void EndAll() const;

 private:
  std::string path_ = TempFilePath("klt");
};

}  // namespace keylark::wintest
