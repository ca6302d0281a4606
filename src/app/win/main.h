#pragma once

#include <windows.h>

namespace keylark::app::win {

// The program's own logic: become the resident key bar, or wake the one that
// is already running for this user. Returns the process exit code.
int Main(HINSTANCE instance);

}  // namespace keylark::app::win
