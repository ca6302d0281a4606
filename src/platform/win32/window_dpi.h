// A window's resolution and the frame metrics at it. The per-monitor
// functions of Windows 10 are looked up when first used; where they are
// missing (older Windows, Wine) the screen's resolution and the plain
// functions stand in, which is what those systems draw at.
#pragma once

#include <windows.h>

namespace keylark::platform::win32 {

// The screen's logical pixels per inch (LOGPIXELSX of the desktop), 96 when
// it cannot be read.
int ScreenPixelsPerInch();
// The pixels per inch the window is drawn at: its monitor's under per-monitor
// awareness, else the screen's.
int WindowPixelsPerInch(HWND window);
// GetSystemMetrics at a resolution.
int SystemMetricAt(int index, int pixels_per_inch);
// The frame that a window of these styles adds around its client area,
// without a menu bar, at a resolution (left and top negative).
RECT FrameAt(DWORD style, DWORD ex_style, int pixels_per_inch);

}  // namespace keylark::platform::win32
