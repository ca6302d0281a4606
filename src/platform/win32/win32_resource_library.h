// The resource library "Keylark.dll", looked for only beside the program's
// own file and by full path: a library of that name in the current directory
// or on PATH is never loaded. It is opened as a data file, so none of its
// code runs, and only ever for its string table; the program's own dialogs
// and pictures come from its own module.
#pragma once

#include <string>

#include "platform/resource_library.h"

namespace keylark::platform::win32 {

inline constexpr char kResourceLibraryName[] = "Keylark.dll";

class Win32ResourceLibrary final : public ResourceLibrary {
 public:
  // The library beside the program's file.
  Win32ResourceLibrary();
  // The library at this full path.
  explicit Win32ResourceLibrary(std::string path);

  Handle LoadAsDataFile() override;
  int ReadString(Handle library, unsigned id, char* buffer, int buffer_size) override;
  void Free(Handle library) override;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace keylark::platform::win32
