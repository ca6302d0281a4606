// Icons at the scale of the window that shows them: a window on a monitor
// of 200 % takes its 16-pixel icons at 32 pixels, drawn for that size.
#pragma once

#include <windows.h>

#include "platform/win32/owned_handles.h"

namespace keylark::ui::win {

// The program's icon `id` at `size` pixels square, the file's image of that
// size where it has one; empty when there is no such icon.
platform::win32::Icon LoadIconAt(HINSTANCE instance, int id, int size);

// The icon the notification area shows: the small icon of the system's
// scale.
platform::win32::Icon LoadNotificationIcon(HINSTANCE instance, int id);

// A window's caption icons, small and large, at the window's scale. They
// belong to this object and must outlive the window's use of them: keep it
// until the window is gone.
class CaptionIcons {
 public:
  // Loads icon `id` at the window's present scale and gives it to the window.
  void Apply(HWND window, HINSTANCE instance, int id);
  void Release();

 private:
  platform::win32::Icon small_;
  platform::win32::Icon large_;
};

}  // namespace keylark::ui::win
