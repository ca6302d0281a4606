// The one trace a window or dialog procedure leaves when a handler failed: the
// exception stops at the procedure (the system's dispatcher must never see
// it), and one line naming where and why goes to the debugger's output, where
// a debugger or DebugView shows it. Nothing is shown to the user.
#pragma once

namespace keylark::ui::win {

// Call only inside a catch handler: writes "Keylark: <where>: <what()>" for
// the exception being handled through OutputDebugStringA. Never throws.
void TraceCaughtException(const char* where) noexcept;

// Writes "Keylark: <what>" for a fault of the program that it survives.
void TraceFault(const char* what) noexcept;

}  // namespace keylark::ui::win
