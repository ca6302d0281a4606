#include "platform/win32/win32_shortcut_library.h"

#include <windows.h>

#include <utility>

#include "platform/win32/program_folder.h"

namespace keylark::platform::win32 {
namespace {

// The library's export: eight pointer-sized arguments, removed by the callee.
using GetShortCutInfoFunction = std::int32_t(WINAPI*)(char*, char*, char*, char*, char*, char*,
                                                      std::int32_t*, std::int32_t*);

std::string LibraryPathIn(const std::string& folder) {
  std::string path = folder;
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path + kShortcutLibraryName;
}

}  // namespace

std::vector<std::string> DefaultShortcutLibraryFolders() {
  std::vector<std::string> folders;
  const std::string program_folder = ProgramFolder();
  if (!program_folder.empty()) folders.push_back(program_folder);
  const std::string system_folder = SystemFolder();
  if (!system_folder.empty()) folders.push_back(system_folder);
  return folders;
}

Win32ShortcutLibrary::Win32ShortcutLibrary() : default_folders_(true) {}

Win32ShortcutLibrary::Win32ShortcutLibrary(std::vector<std::string> folders)
    : default_folders_(false), folders_(std::move(folders)) {}

bool Win32ShortcutLibrary::EnsureLoaded() {
  if (!attempted_) {
    attempted_ = true;
    Load();
  }
  return function_ != nullptr;
}

void Win32ShortcutLibrary::Load() {
  if (default_folders_) folders_ = DefaultShortcutLibraryFolders();
  for (const std::string& folder : folders_) {
    // Only a full path: a bare name would let the loader search the current
    // directory and PATH. The altered search path makes the library's own
    // imports resolve from its folder rather than from ours.
    const std::string path = LibraryPathIn(folder);
    Module module(LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!module) continue;
    const FARPROC function = GetProcAddress(module.Get(), kShortcutFunctionName);
    if (function == nullptr) continue;
    module_ = std::move(module);
    function_ = reinterpret_cast<void (*)()>(function);
    loaded_path_ = path;
    return;
  }
}

std::int32_t Win32ShortcutLibrary::GetShortCutInfo(char* target_buffer, char* path, char* buffer2,
                                                   char* buffer3, char* buffer4, char* buffer5,
                                                   std::int32_t* number1, std::int32_t* number2) {
  if (!EnsureLoaded()) return -1;
  const auto function = reinterpret_cast<GetShortCutInfoFunction>(function_);
  return function(target_buffer, path, buffer2, buffer3, buffer4, buffer5, number1, number2);
}

ShortcutLibrary& ProgramShortcutLibrary() {
  static Win32ShortcutLibrary library;
  return library;
}

}  // namespace keylark::platform::win32
