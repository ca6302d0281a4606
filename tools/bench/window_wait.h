// Waiting, from outside, for what a measured program shows.
#pragma once

#include <windows.h>

#include <cstdint>

#include "clock.h"

namespace keylark::bench {

// Polls until the condition holds, for at most the given seconds. Between
// two looks it yields, or sleeps `pause_ms` when a long wait should leave
// the measured program the processor and the window system.
template <typename Condition>
bool Await(Condition condition, int seconds = 10, DWORD pause_ms = 0) {
  const std::int64_t end = NowMicroseconds() + std::int64_t{seconds} * 1'000'000;
  while (!condition()) {
    if (NowMicroseconds() > end) return false;
    Sleep(pause_ms);
  }
  return true;
}

// A visible top-level window of the process, by class and caption (nullptr:
// any caption).
inline HWND VisibleWindow(const char* class_name, const char* caption, DWORD process) {
  HWND found = FindWindowExA(nullptr, nullptr, class_name, caption);
  for (; found != nullptr; found = FindWindowExA(nullptr, found, class_name, caption)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(found, &owner);
    if (owner == process && IsWindowVisible(found)) return found;
  }
  return nullptr;
}

}  // namespace keylark::bench
