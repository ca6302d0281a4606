// Splitting a full path at its last backslash into folder and file name, as
// the command editor, the explorer and keylarkctl do when they fill a command from a file.
#pragma once

#include <string>

namespace keylark::core {

// The text before the last backslash, without it: C:\Tools\run.exe gives
// C:\Tools and C:\run.exe gives "C:" (callers add the backslash after a
// drive). A path without any backslash, the empty path included, has no
// folder part and gives the empty string.
std::string FolderOfPath(const std::string& path);

// The text after the last backslash: C:\Tools\run.exe gives run.exe and
// C:\a\b\ gives the empty string. A path without backslash is all file name.
std::string FileOfPath(const std::string& path);

}  // namespace keylark::core
