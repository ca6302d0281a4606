#include "platform/win32/window_dpi.h"

#include "platform/win32/system_library.h"

namespace keylark::platform::win32 {
namespace {

constexpr const char* kUser = "user32.dll";

}  // namespace

int ScreenPixelsPerInch() {
  HWND desktop = GetDesktopWindow();
  HDC dc = GetWindowDC(desktop);
  const int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSX) : 96;
  if (dc != nullptr) ReleaseDC(desktop, dc);
  return dpi > 0 ? dpi : 96;
}

int WindowPixelsPerInch(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto get_dpi = SystemFunctionAs<GetDpiForWindowFunction>(kUser, "GetDpiForWindow");
  const UINT dpi = get_dpi != nullptr && window != nullptr ? get_dpi(window) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : ScreenPixelsPerInch();
}

int SystemMetricAt(int index, int pixels_per_inch) {
  using MetricFunction = int(WINAPI*)(int, UINT);
  static const auto metric = SystemFunctionAs<MetricFunction>(kUser, "GetSystemMetricsForDpi");
  if (metric == nullptr) return GetSystemMetrics(index);
  return metric(index, static_cast<UINT>(pixels_per_inch));
}

RECT FrameAt(DWORD style, DWORD ex_style, int pixels_per_inch) {
  using AdjustFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = SystemFunctionAs<AdjustFunction>(kUser, "AdjustWindowRectExForDpi");
  RECT frame{0, 0, 0, 0};
  if (adjust == nullptr ||
      !adjust(&frame, style, FALSE, ex_style, static_cast<UINT>(pixels_per_inch))) {
    frame = RECT{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, FALSE, ex_style);
  }
  return frame;
}

}  // namespace keylark::platform::win32
