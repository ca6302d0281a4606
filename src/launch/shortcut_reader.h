// Reading a shortcut file through the shortcut-information library, for the
// dialogs that fill a command from a chosen .lnk file.
#pragma once

#include <cstdint>
#include <string>

#include "platform/shortcut_library.h"

namespace keylark::launch {

// What the library tells about one shortcut. Callers use TargetPath; the
// Keylark build of the library also fills the rest (Info1 arguments, Info2
// working directory, Info3 description, Info4 icon location, Number1 show
// command, Number2 icon index).
struct ShortcutInfo {
  std::string TargetPath;
  std::string Info1;
  std::string Info2;
  std::string Info3;
  std::string Info4;
  std::int32_t Number1 = 0;
  std::int32_t Number2 = 0;

  friend bool operator==(const ShortcutInfo&, const ShortcutInfo&) = default;
};

// Asks the library about the shortcut at path. On success info is
// overwritten; when the library fails, or cannot be loaded at all, info keeps
// what the caller gave, and nothing is reported. path is handed over as a
// writable text: whatever the library leaves in it comes back into path.
void ReadShortcut(platform::ShortcutLibrary& library, std::string& path, ShortcutInfo& info);

}  // namespace keylark::launch
