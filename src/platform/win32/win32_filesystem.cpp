#include "platform/win32/win32_filesystem.h"

#include <windows.h>

#include <algorithm>

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

std::optional<std::string> Win32FileSystem::ReadFileStart(const std::string& path,
                                                          std::size_t limit) {
  const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string text(limit, '\0');
  std::size_t filled = 0;
  // A read may give less than asked before the end; the end gives nothing.
  while (filled < limit) {
    DWORD read = 0;
    const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(limit - filled, 1U << 20));
    if (!ReadFile(file.Get(), text.data() + filled, ask, &read, nullptr)) return std::nullopt;
    if (read == 0) break;
    filled += read;
  }
  text.resize(filled);
  return text;
}

}  // namespace keylark::platform::win32
