#include "ui/win/icons.h"

#include <commctrl.h>

#include "platform/win32/common_controls.h"
#include "platform/win32/system_library.h"
#include "platform/win32/window_dpi.h"
#include "ui/icon_sizes.h"

namespace keylark::ui::win {

using platform::win32::Icon;

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
  const int dpi = platform::win32::WindowPixelsPerInch(window);
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
