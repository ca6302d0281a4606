// The resource library "Keylark.dll" as the translation sees it: a file read
// only for its string table, through the three Win32 calls that do so
// (LoadLibraryExA as a data file, LoadStringA, FreeLibrary). The Win32
// implementation knows where the file may lie; tests use an in-memory fake.
#pragma once

namespace keylark::platform {

class ResourceLibrary {
 public:
  // A loaded library; nullptr when none was loaded.
  using Handle = const void*;

  virtual ~ResourceLibrary() = default;

  // Loads the library as a data file: its code never runs.
  virtual Handle LoadAsDataFile() = 0;
  // LoadStringA (not named so: windows.h would rename it): copies string `id` into `buffer` (at
  // most buffer_size - 1 bytes, then a NUL) and returns the bytes copied; 0 when there is no such
  // string.
  virtual int ReadString(Handle library, unsigned id, char* buffer, int buffer_size) = 0;
  virtual void Free(Handle library) = 0;
};

}  // namespace keylark::platform
