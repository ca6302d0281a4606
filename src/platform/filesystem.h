// Folder listings, as the popup lists and the application explorer need them,
// and the start of a small file, as the command editor reads one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace keylark::platform {

inline constexpr std::uint32_t kHiddenAttribute = 0x2;  // FILE_ATTRIBUTE_HIDDEN

struct FileEntry {
  std::string name;  // the full name, a file's with its extension
  std::uint32_t attributes = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The files directly in a folder (no subfolders), in the order the file
  // system lists them; nothing when the folder cannot be read.
  virtual std::optional<std::vector<FileEntry>> ListFiles(const std::string& folder) = 0;
  // The folders directly in a folder ("." and ".." left out), in the order
  // the file system lists them; nothing when the folder cannot be read.
  virtual std::optional<std::vector<FileEntry>> ListSubfolders(const std::string& folder) = 0;
  // The first `limit` bytes of a file (all of a shorter one); nothing when
  // it cannot be opened or read.
  virtual std::optional<std::string> ReadFileStart(const std::string& path, std::size_t limit) = 0;
};

}  // namespace keylark::platform
