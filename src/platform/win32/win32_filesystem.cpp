#include "platform/win32/win32_filesystem.h"

#include <windows.h>

#include "platform/win32/owned_handles.h"

namespace keylark::platform::win32 {
namespace {

bool IsDotEntry(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// The entries of a folder whose directory bit is `folders`, in listing order.
std::optional<std::vector<FileEntry>> ListEntries(const std::string& folder, bool folders) {
  std::string pattern = folder;
  if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
  pattern += '*';
  WIN32_FIND_DATAA found{};
  const FindHandle search(FindFirstFileA(pattern.c_str(), &found));
  if (!search) {
    // An empty folder still lists "." and "..", so this is a folder we cannot read.
    return std::nullopt;
  }
  std::vector<FileEntry> entries;
  do {
    const bool is_folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (is_folder == folders && !(is_folder && IsDotEntry(found.cFileName))) {
      entries.push_back(FileEntry{found.cFileName, found.dwFileAttributes});
    }
  } while (FindNextFileA(search.Get(), &found));
  return entries;
}

}  // namespace

std::optional<std::vector<FileEntry>> Win32FileSystem::ListFiles(const std::string& folder) {
  return ListEntries(folder, false);
}

std::optional<std::vector<FileEntry>> Win32FileSystem::ListSubfolders(const std::string& folder) {
  return ListEntries(folder, true);
}

}  // namespace keylark::platform::win32
