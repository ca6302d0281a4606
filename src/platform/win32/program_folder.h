// Where this program's file lives, and the system's own folder.
#pragma once

#include <string>

namespace keylark::platform::win32 {

// The folder of the running program's file, without a trailing backslash;
// empty if it cannot be told.
std::string ProgramFolder();

// The Windows system folder (GetSystemDirectoryA); empty if it cannot be told.
std::string SystemFolder();

}  // namespace keylark::platform::win32
