#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <type_traits>

#include "measure/measure_points.h"
#include "platform/win32/owned_handles.h"

namespace keylark::platform::win32 {
namespace {

HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

// ShellExecuteA reports success with a value above 32.
constexpr INT_PTR kShellExecuteErrorLimit = 32;

// The process walk must use the ANSI entry: the ...W one has another layout,
// and Process32First checks dwSize against the structure it expects.
static_assert(std::is_same_v<decltype(PROCESSENTRY32::szExeFile), CHAR[MAX_PATH]>,
              "the process entry must be the ANSI one");
#if !defined(_WIN64)
static_assert(sizeof(PROCESSENTRY32) == 296, "the 32-bit ANSI process entry is 296 bytes");
#endif

}  // namespace

bool Win32Shell::OpenWithShell(const std::string& file, const std::string& parameters) {
  const measure::ShellCallTimer timer;
  const HINSTANCE result =
      ShellExecuteA(nullptr, nullptr, file.c_str(), parameters.c_str(), "", SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > kShellExecuteErrorLimit;
}

bool Win32Shell::PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<ProcessId> Win32Shell::StartProgram(const std::string& command_line) {
  const measure::ShellCallTimer timer;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  // CreateProcessA may write into the command line, so it gets its own copy.
  std::string writable = command_line;
  if (CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &info) == FALSE) {
    return std::nullopt;
  }
  const KernelHandle thread(info.hThread);
  const KernelHandle process(info.hProcess);
  return static_cast<ProcessId>(info.dwProcessId);
}

std::optional<std::vector<ProcessId>> Win32Shell::SnapshotProcessIds() {
  const FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return std::nullopt;
  std::vector<ProcessId> ids;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.Get(), &entry); more != FALSE;
       more = Process32Next(snapshot.Get(), &entry)) {
    ids.push_back(static_cast<ProcessId>(entry.th32ProcessID));
  }
  return ids;
}

bool Win32Shell::IsIconic(WindowHandle window) { return ::IsIconic(ToHwnd(window)) != FALSE; }

void Win32Shell::ShowWindow(WindowHandle window, int show_command) {
  ::ShowWindow(ToHwnd(window), show_command);
}

void Win32Shell::SetForegroundWindow(WindowHandle window) { ::SetForegroundWindow(ToHwnd(window)); }

WindowHandle Win32Shell::GetForegroundWindow() {
  return reinterpret_cast<WindowHandle>(::GetForegroundWindow());
}

void Win32Shell::MoveMouseBy(int dx, int dy) {
  // Relative moves travel as DWORDs that the system reads back as signed.
  mouse_event(MOUSEEVENTF_MOVE, static_cast<DWORD>(dx), static_cast<DWORD>(dy), 0, 0);
}

}  // namespace keylark::platform::win32
