// What the shell tells of a file for showing it: where its icon is and the
// names it is shown by. The Win32 implementation is SHGetFileInfoA.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace keylark::platform {

// The system image list (HIMAGELIST) as a number. It belongs to the shell:
// it is never destroyed by the program.
using SystemImageList = std::uintptr_t;

struct ShellFileInfo {
  SystemImageList images = 0;
  int icon_index = 0;        // the file's picture in `images`
  std::string display_name;  // as the shell shows the file
  std::string type_name;     // "Application", "Shortcut", ...
};

enum class IconSize { Small16, Large32 };

class FileIcons {
 public:
  virtual ~FileIcons() = default;
  // Nothing when the shell knows no icon for the file. A shortcut's picture
  // carries the shortcut arrow.
  virtual std::optional<ShellFileInfo> Describe(const std::string& path, IconSize size) = 0;
};

}  // namespace keylark::platform
