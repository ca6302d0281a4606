// The shortcut-information library "KRVSVR.dll" as the shortcut reader sees
// it: one function, GetShortCutInfo, with its raw eight-argument contract.
// The Win32 implementation loads the library lazily and forwards the call;
// tests use a fake that writes whatever bytes a case needs.
#pragma once

#include <cstddef>
#include <cstdint>

namespace keylark::platform {

// Every output buffer of GetShortCutInfo is this many bytes: room for 260
// two-byte characters, although the library writes ANSI text into it.
inline constexpr std::size_t kShortcutBufferSize = 520;

// The result GetShortCutInfo gives on success; anything else is a failure.
inline constexpr std::int32_t kShortcutSuccess = 0;

class ShortcutLibrary {
 public:
  virtual ~ShortcutLibrary() = default;

  // Loads the library and finds GetShortCutInfo on first use; later calls
  // report the same outcome. True when GetShortCutInfo may be called.
  virtual bool EnsureLoaded() = 0;

  // Calls GetShortCutInfo with its arguments in the library's order. Each
  // buffer is kShortcutBufferSize bytes and zeroed by the caller; path is the
  // shortcut's ANSI path ended by NUL, in a buffer the library may rewrite
  // (without growing it). Only valid after EnsureLoaded() returned true.
  virtual std::int32_t GetShortCutInfo(char* target_buffer, char* path, char* buffer2,
                                       char* buffer3, char* buffer4, char* buffer5,
                                       std::int32_t* number1, std::int32_t* number2) = 0;
};

}  // namespace keylark::platform
