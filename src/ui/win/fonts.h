// The fonts the windows were designed with. A design face the system does not
// have is replaced in this one place by the face of the dialog's own font.
#pragma once

#include <windows.h>

#include "platform/win32/owned_handles.h"

namespace keylark::ui::win {

// The design font at a size in hundredths of a point (825 for 8.25 points),
// for the screen `window` is on.
platform::win32::Font DesignFont(HWND window, const char* face, int hundredths_of_a_point);

}  // namespace keylark::ui::win
