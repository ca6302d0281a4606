// The shortcut-information library "KRVSVR.dll", loaded on first use from a
// fixed list of folders by full path. A library of that name lying in the
// current directory or on PATH is never picked up: either could be anyone's.
#pragma once

#include <string>
#include <vector>

#include "platform/shortcut_library.h"
#include "platform/win32/owned_handles.h"

namespace keylark::platform::win32 {

inline constexpr char kShortcutLibraryName[] = "KRVSVR.dll";
inline constexpr char kShortcutFunctionName[] = "GetShortCutInfo";

// The program's own folder, then the system folder.
std::vector<std::string> DefaultShortcutLibraryFolders();

class Win32ShortcutLibrary final : public ShortcutLibrary {
 public:
  // Looks in DefaultShortcutLibraryFolders().
  Win32ShortcutLibrary();
  // Looks only in these folders, in order.
  explicit Win32ShortcutLibrary(std::vector<std::string> folders);
  Win32ShortcutLibrary(const Win32ShortcutLibrary&) = delete;
  Win32ShortcutLibrary& operator=(const Win32ShortcutLibrary&) = delete;

  bool EnsureLoaded() override;
  std::int32_t GetShortCutInfo(char* target_buffer, char* path, char* buffer2, char* buffer3,
                               char* buffer4, char* buffer5, std::int32_t* number1,
                               std::int32_t* number2) override;

  // The full path the library was loaded from; empty until it is loaded.
  const std::string& LoadedPath() const { return loaded_path_; }

 private:
  void Load();

  bool default_folders_;
  std::vector<std::string> folders_;
  bool attempted_ = false;
  Module module_;
  void (*function_)() = nullptr;  // GetShortCutInfo, cast on use
  std::string loaded_path_;
};

// The one library of the running program, loaded the first time it is used.
ShortcutLibrary& ProgramShortcutLibrary();

}  // namespace keylark::platform::win32
