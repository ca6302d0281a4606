#include "ui/win/icons.h"

#include <commctrl.h>

#include "platform/win32/common_controls.h"
#include "platform/win32/system_library.h"
#include "ui/icon_sizes.h"

namespace keylark::ui::win {

using platform::win32::Icon;

int WindowPixelsPerInch(HWND window) {
  // Windows 10 (1607) and later tell each window its monitor's scale.
  using DpiForWindow = UINT(WINAPI*)(HWND);
  static const auto dpi_for_window =
      platform::win32::SystemFunctionAs<DpiForWindow>("user32.dll", "GetDpiForWindow");
  if (dpi_for_window != nullptr && window != nullptr) {
    if (const UINT dpi = dpi_for_window(window); dpi > 0) return static_cast<int>(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignPixelsPerInch;
}

Icon LoadIconAt(HINSTANCE instance, int id, int size) {
  return Icon(static_cast<HICON>(
      LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

Icon LoadNotificationIcon(HINSTANCE instance, int id) {
  // The common controls pick the image as the shell wants it. They are not
  // loaded for this alone: at the start that would cost more than the whole
  // key bar, and the icon file carries the small size of every usual scale,
  // which is the image they would pick.
  if (platform::win32::CommonControlsLoaded()) {
    using IconMetric = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, HICON*);
    const auto load_icon_metric =
        platform::win32::SystemFunctionAs<IconMetric>("comctl32.dll", "LoadIconMetric");
    HICON icon = nullptr;
    if (load_icon_metric != nullptr &&
        SUCCEEDED(load_icon_metric(instance, MAKEINTRESOURCEW(id), LIM_SMALL, &icon))) {
      return Icon(icon);
    }
  }
  return LoadIconAt(instance, id, GetSystemMetrics(SM_CXSMICON));
}

void CaptionIcons::Apply(HWND window, HINSTANCE instance, int id) {
  const int dpi = WindowPixelsPerInch(window);
  Icon small = LoadIconAt(instance, id, SmallIconSizeFor(dpi));
  Icon large = LoadIconAt(instance, id, LargeIconSizeFor(dpi));
  SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large.Get()));
  // The window no longer shows the ones it had.
  small_ = std::move(small);
  large_ = std::move(large);
}

void CaptionIcons::Release() {
  small_.Reset();
  large_.Reset();
}

}  // namespace keylark::ui::win
