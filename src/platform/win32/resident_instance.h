// A resident program, one instance per logged-on user: the guard that tells
// whether another is running, and the window handle a resident key bar
// publishes for others to find.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/win32/owned_handles.h"

namespace keylark::platform::win32 {

// A named mutex in the session's namespace, held for as long as the guard lives.
class InstanceGuard {
 public:
  explicit InstanceGuard(const char* name) : mutex_(CreateMutexA(nullptr, FALSE, name)) {
    another_is_running_ = mutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
  }
  bool AnotherIsRunning() const { return another_is_running_; }

 private:
  KernelHandle mutex_;
  bool another_is_running_ = false;
};

// The window handle published in the registry as a 32-bit number: window
// handles are 32-bit values, sign-extended on 64-bit Windows.
inline HWND PublishedWindow(std::uint32_t published) {
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(published)));
}

}  // namespace keylark::platform::win32
