#include "platform/win32/win32_filesystem.h"

#include <windows.h>

#include "platform/win32/owned_handles.h"

namespace keylark::platform::win32 {

std::optional<std::vector<FileEntry>> Win32FileSystem::ListFiles(const std::string& folder) {
  std::string pattern = folder;
  if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
  pattern += '*';
  WIN32_FIND_DATAA found{};
  const FindHandle search(FindFirstFileA(pattern.c_str(), &found));
  if (!search) {
    // An empty folder still lists "." and "..", so this is a folder we cannot read.
    return std::nullopt;
  }
  std::vector<FileEntry> files;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      files.push_back(FileEntry{found.cFileName, found.dwFileAttributes});
    }
  } while (FindNextFileA(search.Get(), &found));
  return files;
}

}  // namespace keylark::platform::win32
