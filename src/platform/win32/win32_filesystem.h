#pragma once

#include "platform/filesystem.h"

namespace keylark::platform::win32 {

class Win32FileSystem final : public FileSystem {
 public:
  std::optional<std::vector<FileEntry>> ListFiles(const std::string& folder) override;
  std::optional<std::vector<FileEntry>> ListSubfolders(const std::string& folder) override;
  std::optional<std::string> ReadFileStart(const std::string& path, std::size_t limit) override;
};

}  // namespace keylark::platform::win32
