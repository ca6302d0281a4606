// A program for tests to launch. Every start appends "<process id> <command
// line>" to the log named by its first argument or, when started without any
// (as the shell does), by KEYLARK_LAUNCH_LOG inherited from its parent; then
// it shows a small window until it is closed or ended. A window program, so
// starts from the key bar bring no console.
#include <windows.h>

#include <string>

namespace {

LRESULT CALLBACK TargetWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH] = {};
  if (__argc > 1)
    lstrcpynA(path, __argv[1], MAX_PATH);
  else
    GetEnvironmentVariableA("KEYLARK_LAUNCH_LOG", path, MAX_PATH);
  // One append of one whole line, so starts at the same time do not mix.
  const std::string line = std::to_string(GetCurrentProcessId()) + " " + GetCommandLineA() + "\n";
  HANDLE log = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  if (log != INVALID_HANDLE_VALUE) WriteFile(log, line.data(), line.size(), &written, nullptr);
  if (log != INVALID_HANDLE_VALUE) CloseHandle(log);

  WNDCLASSA window_class{};
  window_class.lpfnWndProc = TargetWindowProc;
  window_class.hInstance = instance;
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = "KeylarkLaunchTarget";
  RegisterClassA(&window_class);
  const std::string caption = "Launch target " + std::to_string(GetCurrentProcessId());
  HWND window =
      CreateWindowExA(0, "KeylarkLaunchTarget", caption.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, 240, 120, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, SW_SHOWDEFAULT);  // the starter's show command applies
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
