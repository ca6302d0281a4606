#include "platform/win32/common_controls.h"

#include <windows.h>
#include <commctrl.h>

namespace keylark::platform::win32 {

bool LoadCommonControls() {
  static const bool loaded = [] {
    // Only from the system folder; the manifest's side-by-side version wins.
    HMODULE library = LoadLibraryExA("comctl32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (library == nullptr) return false;
    using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = reinterpret_cast<InitFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")));
    if (init == nullptr) return false;
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    return init(&controls) != FALSE;
  }();
  return loaded;
}

}  // namespace keylark::platform::win32
