// The registry as the store sees it: the handful of calls it makes, with the
// Win32 status codes they return. The Win32 implementation forwards to the
// ...A registry functions; tests use an in-memory fake that behaves the same.
#pragma once

#include <cstdint>
#include <string>

namespace keylark::platform {

// Win32 status codes (LSTATUS values) that callers look at.
using Status = long;
inline constexpr Status kSuccess = 0;
inline constexpr Status kFileNotFound = 2;       // ERROR_FILE_NOT_FOUND
inline constexpr Status kAccessDenied = 5;       // ERROR_ACCESS_DENIED
inline constexpr Status kInvalidHandle = 6;      // ERROR_INVALID_HANDLE
inline constexpr Status kInvalidParameter = 87;  // ERROR_INVALID_PARAMETER
inline constexpr Status kBadPathname = 161;      // ERROR_BAD_PATHNAME
inline constexpr Status kMoreData = 234;         // ERROR_MORE_DATA
inline constexpr Status kNoMoreItems = 259;      // ERROR_NO_MORE_ITEMS
inline constexpr Status kKeyDeleted = 1018;      // ERROR_KEY_DELETED

enum class Root { CurrentUser, LocalMachine };

// Value types (REG_...).
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

// An open key; 0 is never a valid handle.
using KeyHandle = std::uintptr_t;

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens an existing key by its full path below the root.
  virtual Status OpenKey(Root root, const std::string& path, KeyHandle* key) = 0;
  // Opens a key, creating it and any missing parents.
  virtual Status CreateKey(Root root, const std::string& path, KeyHandle* key) = 0;
  virtual Status CloseKey(KeyHandle key) = 0;

  // With data == nullptr only the size is reported. A buffer that is too small
  // gives kMoreData and the needed size in *size. type may be nullptr.
  virtual Status QueryValue(KeyHandle key, const std::string& name, std::uint32_t* type,
                            std::uint8_t* data, std::uint32_t* size) = 0;
  virtual Status SetValue(KeyHandle key, const std::string& name, std::uint32_t type,
                          const std::uint8_t* data, std::uint32_t size) = 0;
  virtual Status DeleteValue(KeyHandle key, const std::string& name) = 0;

  // Deletes a subkey that has no subkeys of its own.
  virtual Status DeleteKey(KeyHandle key, const std::string& subkey) = 0;
  // Copies the name of the subkey at index (NUL-terminated) into buffer;
  // kNoMoreItems past the last one, kMoreData when the buffer is too small.
  virtual Status EnumKey(KeyHandle key, std::uint32_t index, char* buffer,
                         std::uint32_t buffer_chars) = 0;
  // Number of subkeys and the length of the longest subkey name (without NUL).
  virtual Status QueryInfoKey(KeyHandle key, std::uint32_t* subkeys,
                              std::uint32_t* max_subkey_len) = 0;
  // When the key last changed (a FILETIME, in 100-ns ticks): a subkey added
  // or removed, or a value of its own written or deleted.
  virtual Status QueryLastWriteTime(KeyHandle key, std::uint64_t* time) = 0;
};

}  // namespace keylark::platform
