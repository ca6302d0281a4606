#include "platform/win32/program_folder.h"

#include <windows.h>
#include <shlobj.h>

namespace keylark::platform::win32 {
namespace {

// The full path of this program's file, however long it is.
std::string ProgramFilePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(path.size());
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), size);
    if (length == 0) return {};
    if (length < size) {
      path.resize(length);
      return path;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

}  // namespace

std::string ProgramFolder() {
  const std::string path = ProgramFilePath();
  const std::size_t last = path.rfind('\\');
  return last == std::string::npos ? std::string() : path.substr(0, last);
}

std::string SystemFolder() {
  char folder[MAX_PATH + 1] = {};
  const UINT length = GetSystemDirectoryA(folder, sizeof folder);
  if (length == 0 || length >= sizeof folder) return {};
  return std::string(folder, length);
}

std::string ProgramsFolder(bool all_users) {
  char folder[MAX_PATH + 1] = {};
  const int which = all_users ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS;
  if (FAILED(SHGetFolderPathA(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
  return folder;
}

}  // namespace keylark::platform::win32
