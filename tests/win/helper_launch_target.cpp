// A program for tests to launch. Every start appends one line to a log,
//   <process id> <command line>
// so a test can count starts and tell them apart, then shows a small window
// until it is closed (WM_CLOSE) or the process is ended.
//
// The log is the file named by the first argument, or, without arguments,
// by the environment variable KEYLARK_LAUNCH_LOG: a start through the shell
// passes no arguments, and the variable reaches the program through its
// parent.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

constexpr const char* kLogVariable = "KEYLARK_LAUNCH_LOG";
constexpr const char* kClassName = "KeylarkLaunchTarget";

std::string LogPath(int argc, char** argv) {
  if (argc > 1) return argv[1];
  char path[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA(kLogVariable, path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

// One write of one whole line in append mode, so starts that happen at the
// same time do not mix their lines.
void RecordStart(const std::string& log_path) {
  if (log_path.empty()) return;
  const std::string line = std::to_string(GetCurrentProcessId()) + " " + GetCommandLineA() + "\n";
  HANDLE file = CreateFileA(log_path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

LRESULT CALLBACK TargetWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

// The window's caption names the process, so a test can also find it by title.
HWND CreateTargetWindow(HINSTANCE instance) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = TargetWindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = kClassName;
  if (RegisterClassA(&window_class) == 0) return nullptr;
  const std::string caption = "Launch target " + std::to_string(GetCurrentProcessId());
  return CreateWindowExA(0, kClassName, caption.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                         CW_USEDEFAULT, 240, 120, nullptr, nullptr, instance, nullptr);
}

}  // namespace

// A window program: started from the key bar it brings no console window,
// and nothing it starts holds on to a test's output.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  RecordStart(LogPath(__argc, __argv));
  HWND window = CreateTargetWindow(instance);
  if (window == nullptr) return 1;
  // The show command of the starter (STARTF_USESHOWWINDOW) applies here.
  ShowWindow(window, SW_SHOWDEFAULT);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
