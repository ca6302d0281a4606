#include "core/key_table.h"

namespace keylark::core {

std::string KeyNameOf(char character) { return std::string("Fn-") + character; }

KeyNameTable BuildFnKeyNames() {
  KeyNameTable names;
  for (const KeyInfo& key : kKeys)
    names[static_cast<std::size_t>(key.index)] = KeyNameOf(key.character);
  return names;
}

std::optional<KeyInfo> FindKeyByScanCode(std::uint32_t scan_code) {
  for (const KeyInfo& key : kKeys) {
    if (key.scan_code == scan_code) return key;
  }
  return std::nullopt;
}

std::optional<KeyInfo> FindKeyByName(std::string_view key_name) {
  if (key_name.size() != 4 || key_name.substr(0, 3) != "Fn-") return std::nullopt;
  for (const KeyInfo& key : kKeys) {
    if (key.character == key_name[3]) return key;
  }
  return std::nullopt;
}

}  // namespace keylark::core
