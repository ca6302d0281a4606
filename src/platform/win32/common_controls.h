// The common controls library, loaded when a window first needs one of its
// controls rather than with the program: loading it registers every control
// class, which under Wine costs more than all of the key bar's own start.
// Keep comctl32 out of the program's imports; reach its functions from here.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace keylark::platform::win32 {

// Loads the library once (the version the program's manifest asks for) and
// registers the standard and Windows 95 control classes. False when it could
// not be loaded.
bool LoadCommonControls();
// Whether LoadCommonControls has loaded them; it is not called by this.
bool CommonControlsLoaded();

// The image list functions the windows use.
HIMAGELIST CreateImageList(int width, int height, UINT flags, int initial, int grow);
int AddIconToImageList(HIMAGELIST list, HICON icon);
void DestroyImageList(HIMAGELIST list);

}  // namespace keylark::platform::win32
