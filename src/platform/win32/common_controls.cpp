#include "platform/win32/common_controls.h"

#include "platform/win32/system_library.h"

namespace keylark::platform::win32 {
namespace {

constexpr const char* kLibrary = "comctl32.dll";
bool loaded_once = false;

}  // namespace

bool LoadCommonControls() {
  static const bool loaded = [] {
    using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = SystemFunctionAs<Init>(kLibrary, "InitCommonControlsEx");
    if (init == nullptr) return false;
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    loaded_once = init(&controls) != FALSE;
    return loaded_once;
  }();
  return loaded;
}

bool CommonControlsLoaded() { return loaded_once; }

HIMAGELIST CreateImageList(int width, int height, UINT flags, int initial, int grow) {
  using Create = HIMAGELIST(WINAPI*)(int, int, UINT, int, int);
  const auto create = SystemFunctionAs<Create>(kLibrary, "ImageList_Create");
  return create != nullptr ? create(width, height, flags, initial, grow) : nullptr;
}

int AddIconToImageList(HIMAGELIST list, HICON icon) {
  // ImageList_AddIcon is ImageList_ReplaceIcon at index -1.
  using Replace = int(WINAPI*)(HIMAGELIST, int, HICON);
  const auto replace = SystemFunctionAs<Replace>(kLibrary, "ImageList_ReplaceIcon");
  return replace != nullptr ? replace(list, -1, icon) : -1;
}

void DestroyImageList(HIMAGELIST list) {
  using Destroy = BOOL(WINAPI*)(HIMAGELIST);
  if (const auto destroy = SystemFunctionAs<Destroy>(kLibrary, "ImageList_Destroy")) {
    destroy(list);
  }
}

}  // namespace keylark::platform::win32
