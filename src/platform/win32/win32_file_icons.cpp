#include "platform/win32/win32_file_icons.h"

#include <windows.h>
#include <shellapi.h>

namespace keylark::platform::win32 {

// The ANSI record of the 32-bit system: 4 + 4 + 4 + 260 + 80 bytes.
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(SHFILEINFOA) == 352, "the 32-bit ANSI file information record is 352 bytes");
#endif

std::optional<ShellFileInfo> Win32FileIcons::Describe(const std::string& path, IconSize size) {
  SHFILEINFOA record{};
  // Without SHGFI_EXETYPE: the shell answers that flag alone, with the kind
  // of program instead of the image list.
  UINT flags = SHGFI_SYSICONINDEX | SHGFI_ICON | SHGFI_DISPLAYNAME | SHGFI_TYPENAME |
               SHGFI_LINKOVERLAY | SHGFI_SHELLICONSIZE;
  if (size == IconSize::Small16) flags |= SHGFI_SMALLICON;
  const DWORD_PTR images = SHGetFileInfoA(path.c_str(), 0, &record, sizeof record, flags);
  // The icon handle comes along with the index; only the index is used.
  if (record.hIcon != nullptr) DestroyIcon(record.hIcon);
  if (images == 0) return std::nullopt;
  return ShellFileInfo{static_cast<SystemImageList>(images), record.iIcon, record.szDisplayName,
                       record.szTypeName};
}

}  // namespace keylark::platform::win32
