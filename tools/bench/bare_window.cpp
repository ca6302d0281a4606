// The benchmark's baseline: the least a program does that stands in for the
// key bar. It makes one window of the key bar's size, publishes its handle as
// the key bar does, and on an Fn-key report starts the command of Fn-E
// through the shell. It carries the same measurement points as the
// measurement build, so that both are timed alike.
// With --menu it stands in for a popup list instead: an Fn-key report shows
// a flat popup menu of as many items as Fn-A's list counts, built afresh for
// each showing, as little as a program can do to show such a list.
#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/key_bar_layout.h"
#include "core/window_messages.h"
#include "measure/measure_points.h"
#include "popup_items.h"
#include "store/layout.h"

namespace {

using keylark::measure::Mark;
using keylark::measure::Point;

constexpr const char* kClassName = "KeylarkBenchBareWindow";

void Publish(HWND window) {
  HKEY key = nullptr;
  if (RegCreateKeyA(HKEY_CURRENT_USER, keylark::store::kMakerKey, &key) != ERROR_SUCCESS) return;
  const auto handle = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window));
  RegSetValueExA(key, keylark::store::kWindowHandleValue, 0, REG_DWORD,
                 reinterpret_cast<const BYTE*>(&handle), sizeof handle);
  RegCloseKey(key);
}

void Withdraw() {
  HKEY key = nullptr;
  if (RegOpenKeyA(HKEY_CURRENT_USER, keylark::store::kMakerKey, &key) != ERROR_SUCCESS) return;
  RegDeleteValueA(key, keylark::store::kWindowHandleValue);
  RegCloseKey(key);
}

std::string CommandOfFnE() {
  HKEY key = nullptr;
  if (RegOpenKeyA(HKEY_CURRENT_USER, keylark::store::kCommandKey, &key) != ERROR_SUCCESS) return {};
  char command[MAX_PATH * 2] = {};
  DWORD size = sizeof command - 1;
  const LSTATUS status =
      RegQueryValueExA(key, "Fn-E", nullptr, nullptr, reinterpret_cast<BYTE*>(command), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? std::string(command) : std::string();
}

// The captions of the menu with --menu, made once at the start.
std::vector<std::string> menu_captions;

void ShowMenu(HWND window) {
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING | MF_CHECKED, 0, "Fn-A");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  for (std::size_t i = 0; i < menu_captions.size(); ++i) {
    AppendMenuA(menu, MF_STRING, i + 1, menu_captions[i].c_str());
  }
  POINT pointer{};
  GetCursorPos(&pointer);
  SetForegroundWindow(window);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD, pointer.x, pointer.y, 0,
                 window, nullptr);
  DestroyMenu(menu);
}

LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  std::intptr_t answer = 0;
  if (keylark::measure::AnswerQuery(message, wparam, lparam, &answer)) return answer;
  const keylark::measure::MessageTimer timer(message);
  if (message == keylark::core::FnKeyMessage && !menu_captions.empty()) {
    ShowMenu(window);
    return 0;
  }
  if (message == keylark::core::FnKeyMessage && wparam == keylark::core::kFnKeyReportWParam) {
    const std::string command = CommandOfFnE();
    const keylark::measure::ShellCallTimer shell_timer;
    ShellExecuteA(nullptr, nullptr, command.c_str(), "", "", SW_SHOWNORMAL);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  Mark(Point::Entry);
  if (std::strstr(command_line, "--menu") != nullptr) {
    menu_captions = keylark::bench::PopupItemCaptions(keylark::bench::StoredPopupItemCount());
  }
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = BareWindowProc;
  window_class.hInstance = instance;
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kClassName;
  if (RegisterClassA(&window_class) == 0) return 1;
  Mark(Point::WindowClass);
  // The key bar's outer size: its picture, the caption and the menu bar.
  const int height =
      keylark::app::kPictureHeight + 5 + GetSystemMetrics(SM_CYMENU) + GetSystemMetrics(SM_CYSIZE);
  HWND window = CreateWindowExA(0, kClassName, "Keylark",
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                CW_USEDEFAULT, CW_USEDEFAULT, keylark::app::kPictureWidth, height,
                                nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  Publish(window);
  Mark(Point::Created);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  Mark(Point::Shown);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  Withdraw();
  return 0;
}
