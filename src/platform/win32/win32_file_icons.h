// The file icon seam over SHGetFileInfoA.
#pragma once

#include "platform/file_icons.h"

namespace keylark::platform::win32 {

class Win32FileIcons final : public FileIcons {
 public:
  std::optional<ShellFileInfo> Describe(const std::string& path, IconSize size) override;
};

}  // namespace keylark::platform::win32
