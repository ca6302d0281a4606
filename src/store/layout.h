// Where everything lives in the registry: key paths and value names.
#pragma once

#include <string>
#include <string_view>

namespace keylark::store {

// HKEY_CURRENT_USER: the published key bar window handle.
inline constexpr const char* kMakerKey = "Software\\Korvane";
inline constexpr const char* kWindowHandleValue = "Keylark";

// HKEY_CURRENT_USER: options, position and assignments.
inline constexpr const char* kProductKey = "Software\\Korvane\\Keylark";
inline constexpr const char* kConfigKey = "Software\\Korvane\\Keylark\\ini\\cfg";
inline constexpr const char* kCommandKey = "Software\\Korvane\\Keylark\\ini\\cmd";
inline constexpr const char* kDescriptionKey = "Software\\Korvane\\Keylark\\ini\\desc";
inline constexpr const char* kDirectoryKey = "Software\\Korvane\\Keylark\\ini\\cwd";
inline constexpr const char* kSwitchFlagKey = "Software\\Korvane\\Keylark\\ini\\opts";
inline constexpr const char* kPopupListsKey = "Software\\Korvane\\Keylark\\prg";

// HKEY_LOCAL_MACHINE: keys reserved by another component.
inline constexpr const char* kReservedKeysKey = "Software\\Korvane\\Keylark\\KeyReserve";

// Values of "ini\cfg".
inline constexpr const char* kExpandListsValue = "fIcon";
inline constexpr const char* kAlwaysOnTopValue = "opts1";
inline constexpr const char* kMarkPopupsValue = "opts2";
inline constexpr const char* kMinimizeOnUseValue = "opts3";
inline constexpr const char* kHintsValue = "opts4";
inline constexpr const char* kConfirmChangesValue = "opts5";
// Absent until the user first turns it on: the first run does not write it.
inline constexpr const char* kScaleWithDisplayValue = "ScaleWithDisplay";
// The key bar writes its position as "X"/"Y" and reads it as "x"/"y";
// value names are case-insensitive, so both spell the same values.
inline constexpr const char* kLeftValue = "X";
inline constexpr const char* kTopValue = "Y";
inline constexpr const char* kLeftReadName = "x";
inline constexpr const char* kTopReadName = "y";

// Value of a popup list key.
inline constexpr const char* kFileCountValue = "FileCount";

// "prg\<key name>": the popup list of one key.
inline std::string PopupListKey(const std::string& key_name) {
  return std::string(kPopupListsKey) + "\\" + key_name;
}

// "prg\<key name>\<item>": one item of a popup list.
inline std::string PopupItemKey(const std::string& key_name, const std::string& item) {
  return PopupListKey(key_name) + "\\" + item;
}

// A command that starts with "@" names the folder of a popup list; any other
// command is a direct assignment.
inline bool IsPopupCommand(std::string_view command) {
  return !command.empty() && command.front() == '@';
}

// "KeyReserve" names a reserved key by the last character of its key name.
inline std::string ReservedValueName(std::string_view key_name) {
  return key_name.empty() ? std::string() : std::string(1, key_name.back());
}

}  // namespace keylark::store
