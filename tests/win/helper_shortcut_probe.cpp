// Loads the shortcut library exactly as Keylark does and reads one shortcut:
//   shortcut_probe read SHORTCUT
// Exit code 0 read, 2 bad command line, 3 library not found and the record
// untouched, 4 loaded but unread, 5 not found yet the record changed.
#include <cstring>
#include <string>

#include "launch/shortcut_reader.h"
#include "platform/win32/win32_shortcut_library.h"

int main(int argc, char** argv) {
  if (argc != 3 || std::strcmp(argv[1], "read") != 0) return 2;
  keylark::platform::win32::Win32ShortcutLibrary library;
  keylark::launch::ShortcutInfo info;
  info.TargetPath = "(untouched)";
  std::string path = argv[2];
  keylark::launch::ReadShortcut(library, path, info);
  const bool untouched = info == keylark::launch::ShortcutInfo{"(untouched)", "", "", "", "", 0, 0};
  if (!library.EnsureLoaded()) return untouched ? 3 : 5;
  return untouched ? 4 : 0;
}
