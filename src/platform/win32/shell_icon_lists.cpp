#include "platform/win32/shell_icon_lists.h"

#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <cctype>

#include "platform/win32/common_controls.h"
#include "platform/win32/system_library.h"

namespace keylark::platform::win32 {
namespace {

// The ANSI record of the 32-bit system: 4 + 4 + 4 + 260 + 80 bytes.
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(SHFILEINFOA) == 352, "the 32-bit ANSI file information record is 352 bytes");
#endif

bool IsShortcut(const std::string& path) {
  constexpr const char kExtension[] = ".lnk";
  constexpr std::size_t kLength = sizeof kExtension - 1;
  if (path.size() < kLength) return false;
  return std::equal(path.end() - kLength, path.end(), kExtension, [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == b;
  });
}

// The file's icon as the shell draws it, a shortcut's with its arrow; the
// caller owns it. The arrow is asked for on shortcuts only: some shells put
// it on any file they are asked to, in place of the file's own picture.
HICON ShellIcon(const std::string& path, bool shortcut, UINT size_flag) {
  SHFILEINFOA info{};
  const UINT arrow = shortcut ? SHGFI_LINKOVERLAY : 0;
  SHGetFileInfoA(path.c_str(), 0, &info, sizeof info,
                 SHGFI_ICON | SHGFI_SHELLICONSIZE | arrow | size_flag);
  return info.hIcon;
}

// COM comes from its library when first needed, like the common controls.
constexpr const char* kComLibrary = "ole32.dll";

bool StartCom() {
  using Initialize = HRESULT(WINAPI*)(LPVOID, DWORD);
  const auto initialize = SystemFunctionAs<Initialize>(kComLibrary, "CoInitializeEx");
  return initialize != nullptr &&
         SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

void EndCom() {
  using Uninitialize = void(WINAPI*)();
  if (const auto uninitialize = SystemFunctionAs<Uninitialize>(kComLibrary, "CoUninitialize")) {
    uninitialize();
  }
}

}  // namespace

ShellIconLists::ShellIconLists(int large_size, int small_size)
    : com_ready_(StartCom()), small_from_large_(small_size > GetSystemMetrics(SM_CXSMICON)) {
  const UINT flags = ILC_COLOR32 | ILC_MASK;
  large_ = CreateImageList(large_size, large_size, flags, 16, 64);
  small_ = CreateImageList(small_size, small_size, flags, 16, 64);
}

ShellIconLists::~ShellIconLists() {
  if (large_ != nullptr) DestroyImageList(large_);
  if (small_ != nullptr) DestroyImageList(small_);
  // Every successful start, S_FALSE included, is matched by one end.
  if (com_ready_) EndCom();
}

int ShellIconLists::IndexOf(const std::string& path) {
  if (large_ == nullptr || small_ == nullptr) return -1;
  // The picture's number alone is a cheap question; the pictures themselves
  // are only asked for once per number.
  SHFILEINFOA info{};
  if (SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON) ==
      0) {
    return -1;
  }
  const std::pair<int, bool> picture{info.iIcon, IsShortcut(path)};
  if (const auto known = known_.find(picture); known != known_.end()) return known->second;
  HICON large = ShellIcon(path, picture.second, SHGFI_LARGEICON);
  HICON small = ShellIcon(path, picture.second, SHGFI_SMALLICON);
  int index = -1;
  // Both lists take a picture, or neither, so that their indexes agree.
  if (large != nullptr || small != nullptr) {
    index = AddIconToImageList(large_, large != nullptr ? large : small);
    HICON small_source =
        small != nullptr && !(small_from_large_ && large != nullptr) ? small : large;
    const int small_index = AddIconToImageList(small_, small_source);
    if (index < 0 || small_index != index) index = -1;
  }
  if (large != nullptr) DestroyIcon(large);
  if (small != nullptr) DestroyIcon(small);
  known_.emplace(picture, index);
  return index;
}

}  // namespace keylark::platform::win32
