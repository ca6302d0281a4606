// Where this program's file lives.
#pragma once

#include <string>

namespace keylark::platform::win32 {

// The folder of the running program's file, without a trailing backslash;
// empty if it cannot be told.
std::string ProgramFolder();

}  // namespace keylark::platform::win32
