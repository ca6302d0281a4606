// A program that loads the shortcut library exactly as Keylark does and says
// through its exit code what happened. Tests copy it into folders of their
// choosing to see where the library is taken from and where it is not.
//
//   shortcut_probe read SHORTCUT   reads SHORTCUT through ReadShortcut
//   shortcut_probe load-by-name    LoadLibraryA("KRVSVR.dll"), the ordinary
//                                  search, to show what a careless loader
//                                  would have found from here
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "launch/shortcut_reader.h"
#include "platform/win32/win32_shortcut_library.h"

namespace {

// Exit codes; the search tests use the same numbers.
enum ProbeResult : int {
  kRead = 0,                // library loaded and the shortcut read
  kNotFound = 1,            // load-by-name: nothing found
  kUsage = 2,               // bad command line
  kLibraryMissing = 3,      // library not loaded and the record untouched
  kReadFailed = 4,          // library loaded but it could not read the shortcut
  kRecordChangedAnyway = 5  // library not loaded, yet the record changed
};

constexpr char kUntouched[] = "(untouched)";

int Read(const char* shortcut) {
  keylark::platform::win32::Win32ShortcutLibrary library;
  keylark::launch::ShortcutInfo info;
  info.TargetPath = kUntouched;
  std::string path = shortcut;
  keylark::launch::ReadShortcut(library, path, info);

  const bool untouched = info == keylark::launch::ShortcutInfo{kUntouched, "", "", "", "", 0, 0};
  if (!library.EnsureLoaded()) return untouched ? kLibraryMissing : kRecordChangedAnyway;
  std::printf("loaded %s\ntarget %s\n", library.LoadedPath().c_str(), info.TargetPath.c_str());
  return untouched ? kReadFailed : kRead;
}

int LoadByName() {
  const HMODULE module = LoadLibraryA(keylark::platform::win32::kShortcutLibraryName);
  if (module == nullptr) return kNotFound;
  FreeLibrary(module);
  return kRead;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "read") == 0) return Read(argv[2]);
  if (argc == 2 && std::strcmp(argv[1], "load-by-name") == 0) return LoadByName();
  return kUsage;
}
