// The registry seam over the ...A registry functions of advapi32.
#pragma once

#include "platform/registry.h"

namespace keylark::platform::win32 {

class Win32Registry final : public Registry {
 public:
  Status OpenKey(Root root, const std::string& path, KeyHandle* key) override;
  Status CreateKey(Root root, const std::string& path, KeyHandle* key) override;
  Status CloseKey(KeyHandle key) override;
  Status QueryValue(KeyHandle key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* size) override;
  Status SetValue(KeyHandle key, const std::string& name, std::uint32_t type,
                  const std::uint8_t* data, std::uint32_t size) override;
  Status DeleteValue(KeyHandle key, const std::string& name) override;
  Status DeleteKey(KeyHandle key, const std::string& subkey) override;
  Status EnumKey(KeyHandle key, std::uint32_t index, char* buffer,
                 std::uint32_t buffer_chars) override;
  Status QueryInfoKey(KeyHandle key, std::uint32_t* subkeys,
                      std::uint32_t* max_subkey_len) override;
  Status QueryLastWriteTime(KeyHandle key, std::uint64_t* time) override;
};

}  // namespace keylark::platform::win32
