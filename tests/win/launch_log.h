// launch_target.exe as the program tests launch: where it is, and the log in
// which every start of it records its process id.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace keylark::wintest {

// The full path of launch_target.exe beside Keylark.exe.
std::string TargetProgram();

// A new empty file in the temporary folder.
std::string TempFilePath(const char* prefix);

// A visible top-level window of a process, of the given class when one is
// named, or nullptr.
HWND TopLevelWindowOf(platform::ProcessId id, const char* class_name = nullptr);

// Ends a process and waits for it.
void EndProcess(platform::ProcessId id);

// A fresh log that launch_target.exe writes to, also when started without
// arguments: the variable it reads is set for this process and its children.
// Every target it recorded is ended when the log goes.
class LaunchLog {
 public:
  LaunchLog();
  ~LaunchLog();
  LaunchLog(const LaunchLog&) = delete;
  LaunchLog& operator=(const LaunchLog&) = delete;

  const std::string& Path() const { return path_; }
  // The process ids of the recorded starts, in order.
  std::vector<platform::ProcessId> Starts() const;
  bool WaitForStarts(std::size_t count) const;
  void EndAll() const;

 private:
  std::string path_;
};

}  // namespace keylark::wintest
