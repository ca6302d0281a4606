// Text for the user of a command line: the standard output and error, which
// may be a console, a file or a pipe.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace keylark::control::win {

// Writes UTF-8 text to STD_OUTPUT_HANDLE or STD_ERROR_HANDLE: a console gets
// it as UTF-16, so every character shows whatever its code page; a file or
// pipe gets the UTF-8 bytes. Nothing happens when there is no such handle.
void WriteStandard(DWORD which, const std::string& utf8);

// A window program started from a console has no standard handles of its
// own unless they were redirected; this borrows the starter's console for
// them, so its messages reach the person who typed the command.
void UseStarterConsole();

// Everything on the standard input, or nothing when it cannot be read.
std::optional<std::string> ReadStandardInput();

}  // namespace keylark::control::win
