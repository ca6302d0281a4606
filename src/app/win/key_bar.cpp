#include "app/win/key_bar.h"

#include <cmath>

#include "app/key_bar_layout.h"
#include "resource.h"
#include "store/layout.h"

namespace keylark::app::win {
namespace {

constexpr DWORD kKeyBarStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr double kTwipsPerInch = 1440.0;

std::string ProgramDirectory(HINSTANCE instance) {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
  std::string directory(path, length);
  const auto slash = directory.find_last_of('\\');
  return slash == std::string::npos ? std::string() : directory.substr(0, slash);
}

int ScreenLogicalPixelsPerInch() {
  HWND desktop = GetDesktopWindow();
  HDC dc = GetWindowDC(desktop);
  const int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSX) : 96;
  if (dc != nullptr) ReleaseDC(desktop, dc);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

KeyBar::KeyBar(Session& session, const store::Store& store, HINSTANCE instance)
    : session_(session), store_(store), instance_(instance) {}

bool KeyBar::Create() {
  HICON icon = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_KEYLARK));
  if (icon == nullptr) icon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
  HCURSOR cursor = LoadCursorA(instance_, MAKEINTRESOURCEA(IDC_POINTING_HAND));
  if (cursor == nullptr) cursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  if (!RegisterWindowClass(instance_, kKeyBarClassName, icon, cursor,
                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1))) {
    return false;
  }
  HMENU menu = LoadMenuA(instance_, MAKEINTRESOURCEA(IDR_KEYBAR_MENU));
  return CreateWindowObject(0, kKeyBarClassName, "Keylark", kKeyBarStyle, CW_USEDEFAULT,
                            CW_USEDEFAULT, 0, 0, nullptr, menu, instance_) != nullptr;
}

void KeyBar::Show() {
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  UpdateWindow(hwnd());
}

// The load sequence; its order matters (the handle is published before the
// first-run defaults, the options are read before the labels are coloured).
void KeyBar::Load() {
  session_.AlwaysOnTop = false;
  ApplyFixedSize();
  help_file_ = ProgramDirectory(instance_) + "\\Keylark32.hlp";
  logical_pixels_per_inch_ = ScreenLogicalPixelsPerInch();
  twips_per_pixel_x_ = kTwipsPerInch / logical_pixels_per_inch_;
  twips_per_pixel_y_ = twips_per_pixel_x_;
  store_.PublishWindowHandle(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hwnd())));
  session_.FnKeyNames = BuildFnKeyNames();
  PlaceWindow();
  ApplyOptions();
}

void KeyBar::Unload() {
  session_.ResetLabelTags();
  SaveKeyBarPosition(store_, PositionInTwips());
}

void KeyBar::Terminate() { store_.WithdrawWindowHandle(); }

SIZE KeyBar::FixedOuterSize() const {
  // The picture's height plus room for the caption and the menu bar.
  const int height = kPictureHeight + 5 + GetSystemMetrics(SM_CYMENU) + GetSystemMetrics(SM_CYSIZE);
  return SIZE{kPictureWidth, height};
}

void KeyBar::ApplyFixedSize() {
  const SIZE size = FixedOuterSize();
  SetWindowPos(hwnd(), nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void KeyBar::PlaceWindow() {
  const SIZE size = FixedOuterSize();
  const TwipsSize screen{GetSystemMetrics(SM_CXSCREEN) * twips_per_pixel_x_,
                         GetSystemMetrics(SM_CYSCREEN) * twips_per_pixel_y_};
  const TwipsSize window{size.cx * twips_per_pixel_x_, size.cy * twips_per_pixel_y_};
  const Twips position = RestoreOrInitializePosition(store_, FirstRunPlacement(screen, window));
  const auto x = static_cast<int>(std::lround(position.left / twips_per_pixel_x_));
  const auto y = static_cast<int>(std::lround(position.top / twips_per_pixel_y_));
  SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void KeyBar::ApplyOptions() {
  const Options options = ReadOptions(store_);
  SetAlwaysOnTop(options.always_on_top);
  HMENU menu = GetMenu(hwnd());
  const auto check = [menu](UINT id, bool on) {
    CheckMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
  };
  check(IDM_POPUPS, options.mark_popups);
  check(IDM_MINIMIZE, options.minimize_on_use);
  check(IDM_HINTS, options.hints);
  check(IDM_CONFIRM, options.confirm_changes);
}

void KeyBar::SetAlwaysOnTop(bool on) {
  session_.AlwaysOnTop = on;
  CheckMenuItem(GetMenu(hwnd()), IDM_TOP, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
  SetWindowPos(hwnd(), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

Twips KeyBar::PositionInTwips() const {
  RECT rect{};
  GetWindowRect(hwnd(), &rect);
  return {rect.left * twips_per_pixel_x_, rect.top * twips_per_pixel_y_};
}

void KeyBar::OnSize(WPARAM kind) {
  // Minimized, the key bar lives on in the notification area only.
  if (kind == SIZE_MINIMIZED) ShowWindow(hwnd(), SW_HIDE);
}

void KeyBar::OnWindowPosChanging(WINDOWPOS* pos) const {
  // The size never changes, whoever asks; minimizing is left alone.
  if ((pos->flags & SWP_NOSIZE) != 0 || IsIconic(hwnd())) return;
  const SIZE size = FixedOuterSize();
  pos->cx = size.cx;
  pos->cy = size.cy;
}

LRESULT KeyBar::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      Load();
      return 0;
    case WM_WINDOWPOSCHANGING:
      OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lparam));
      return 0;
    case WM_SIZE:
      OnSize(wparam);
      return 0;
    case WM_DESTROY:
      Unload();
      PostQuitMessage(0);
      return 0;
    default:
      return WindowBase::HandleMessage(message, wparam, lparam);
  }
}

}  // namespace keylark::app::win
