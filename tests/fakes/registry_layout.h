// Where Keylark keeps its data, spelt out by hand rather than taken from the
// program: the Fn-key component, provisioning tools and users' backups rely on
// these exact names, so a misspelling must fail a test. Value names are in tests.
#pragma once

#include <string>

namespace keylark::fakes::layout {

// HKEY_CURRENT_USER; value "Keylark" holds the key bar's window handle.
inline constexpr const char* kMaker = "Software\\Korvane";
inline constexpr const char* kCfg = "Software\\Korvane\\Keylark\\ini\\cfg";
inline constexpr const char* kCmd = "Software\\Korvane\\Keylark\\ini\\cmd";
inline constexpr const char* kDesc = "Software\\Korvane\\Keylark\\ini\\desc";
inline constexpr const char* kCwd = "Software\\Korvane\\Keylark\\ini\\cwd";
inline constexpr const char* kOpts = "Software\\Korvane\\Keylark\\ini\\opts";
// HKEY_LOCAL_MACHINE: one value per reserved key character.
inline constexpr const char* kReserve = "Software\\Korvane\\Keylark\\KeyReserve";

// The popup list of a key, and one of its items.
inline std::string Prg(const std::string& key) { return "Software\\Korvane\\Keylark\\prg\\" + key; }
inline std::string PrgItem(const std::string& key, const std::string& item) {
  return Prg(key) + "\\" + item;
}

}  // namespace keylark::fakes::layout
