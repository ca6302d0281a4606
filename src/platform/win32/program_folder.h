// Where this program's file lives, the system's own folder and the Start
// menu's programs folders.
#pragma once

#include <string>

namespace keylark::platform::win32 {

// The folder of the running program's file, without a trailing backslash;
// empty if it cannot be told.
std::string ProgramFolder();

// The Windows system folder (GetSystemDirectoryA); empty if it cannot be told.
std::string SystemFolder();

// The Start menu's programs folder of all users, or of the current user;
// empty if the system has none or it cannot be told.
std::string ProgramsFolder(bool all_users);

}  // namespace keylark::platform::win32
