#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <vector>

namespace keylark::platform::win32 {
namespace {

HKEY RootKey(Root root) {
  return root == Root::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

HKEY ToHkey(KeyHandle key) { return reinterpret_cast<HKEY>(key); }

KeyHandle FromHkey(HKEY key) { return reinterpret_cast<KeyHandle>(key); }

bool IsStringType(std::uint32_t type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

}  // namespace

Status Win32Registry::OpenKey(Root root, const std::string& path, KeyHandle* key) {
  HKEY opened = nullptr;
  const LSTATUS status = RegOpenKeyA(RootKey(root), path.c_str(), &opened);
  *key = status == ERROR_SUCCESS ? FromHkey(opened) : 0;
  return status;
}

Status Win32Registry::CreateKey(Root root, const std::string& path, KeyHandle* key) {
  HKEY created = nullptr;
  const LSTATUS status = RegCreateKeyA(RootKey(root), path.c_str(), &created);
  *key = status == ERROR_SUCCESS ? FromHkey(created) : 0;
  return status;
}

Status Win32Registry::CloseKey(KeyHandle key) { return RegCloseKey(ToHkey(key)); }

Status Win32Registry::QueryValue(KeyHandle key, const std::string& name, std::uint32_t* type,
                                 std::uint8_t* data, std::uint32_t* size) {
  DWORD value_type = 0;
  DWORD value_size = size != nullptr ? *size : 0;
  const LSTATUS status = RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &value_type, data,
                                          size != nullptr ? &value_size : nullptr);
  if (type != nullptr) *type = value_type;
  if (size != nullptr) *size = value_size;
  return status;
}

Status Win32Registry::SetValue(KeyHandle key, const std::string& name, std::uint32_t type,
                               const std::uint8_t* data, std::uint32_t size) {
  // RegSetValueExA stretches a string whose last byte is not NUL by one byte
  // when the byte after the data happens to be NUL. Text stored without NUL
  // (a five-character position) must stay exactly as long as given, so the
  // data goes through a copy whose next byte is known not to be NUL.
  if (IsStringType(type) && size > 0 && data[size - 1] != 0) {
    std::vector<std::uint8_t> guarded(data, data + size);
    guarded.push_back(0xFF);
    return RegSetValueExA(ToHkey(key), name.c_str(), 0, type, guarded.data(), size);
  }
  return RegSetValueExA(ToHkey(key), name.c_str(), 0, type, data, size);
}

Status Win32Registry::DeleteValue(KeyHandle key, const std::string& name) {
  return RegDeleteValueA(ToHkey(key), name.c_str());
}

Status Win32Registry::DeleteKey(KeyHandle key, const std::string& subkey) {
  return RegDeleteKeyA(ToHkey(key), subkey.c_str());
}

Status Win32Registry::EnumKey(KeyHandle key, std::uint32_t index, char* buffer,
                              std::uint32_t buffer_chars) {
  return RegEnumKeyA(ToHkey(key), index, buffer, buffer_chars);
}

Status Win32Registry::QueryInfoKey(KeyHandle key, std::uint32_t* subkeys,
                                   std::uint32_t* max_subkey_len) {
  DWORD count = 0;
  DWORD longest = 0;
  const LSTATUS status = RegQueryInfoKeyA(ToHkey(key), nullptr, nullptr, nullptr, &count, &longest,
                                          nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  if (subkeys != nullptr) *subkeys = count;
  if (max_subkey_len != nullptr) *max_subkey_len = longest;
  return status;
}

Status Win32Registry::QueryLastWriteTime(KeyHandle key, std::uint64_t* time) {
  FILETIME written{};
  const LSTATUS status = RegQueryInfoKeyA(ToHkey(key), nullptr, nullptr, nullptr, nullptr, nullptr,
                                          nullptr, nullptr, nullptr, nullptr, nullptr, &written);
  *time = (std::uint64_t{written.dwHighDateTime} << 32) | written.dwLowDateTime;
  return status;
}

}  // namespace keylark::platform::win32
