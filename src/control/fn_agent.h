// What KeylarkFn.exe decides: which hotkeys stand for the 24 keys, which
// modifiers they use, and what its command line asks for.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/key_table.h"
#include "store/registry_store.h"

namespace keylark::control {

// HKEY_CURRENT_USER "Software\Korvane\Keylark": the agent's own value, a text
// such as "Ctrl+Alt+Shift". Keylark.exe never reads it.
inline constexpr const char* kHotkeyModifiersValue = "FnHotkeyModifiers";

// The modifier bits of RegisterHotKey (MOD_...).
inline constexpr std::uint32_t kModAlt = 0x1;
inline constexpr std::uint32_t kModControl = 0x2;
inline constexpr std::uint32_t kModShift = 0x4;
inline constexpr std::uint32_t kModWin = 0x8;
// Held down, a key reports once rather than once per auto-repeat.
inline constexpr std::uint32_t kModNoRepeat = 0x4000;

// Ctrl+Alt+Shift: Windows binds none of the 24 keys to it and programs rarely
// do, while Ctrl+Alt alone is AltGr on many keyboard layouts, Win+letter and
// Win+Alt+letter are Windows' own, and Ctrl+Shift+letter is taken by editors
// and browsers.
inline constexpr std::uint32_t kDefaultHotkeyModifiers = kModControl | kModAlt | kModShift;

// "Ctrl+Alt+Shift", "alt + win"...: each of Ctrl, Alt, Shift and Win at most
// once, joined by "+", case and blanks aside. Shift alone is refused: it would
// take the capital letters from every program.
std::optional<std::uint32_t> ParseHotkeyModifiers(std::string_view text);
std::string FormatHotkeyModifiers(std::uint32_t modifiers);

struct HotkeyModifierSetting {
  std::uint32_t modifiers = kDefaultHotkeyModifiers;
  std::string problem;  // not empty: the stored text was not understood
};
HotkeyModifierSetting ReadHotkeyModifiers(const store::Store& store);

struct Hotkey {
  int id;                     // the hotkey's id for RegisterHotKey
  std::uint32_t modifiers;    // what RegisterHotKey is given (MOD_... bits)
  std::uint32_t virtual_key;  // the key's letter or digit ('A' is VK 0x41)
  core::KeyInfo key;
};

// One hotkey per key of the key table, in its order, with the chosen
// modifiers; none of them repeats while it is held.
std::array<Hotkey, core::kKeyCount> HotkeyTable(std::uint32_t modifiers = kDefaultHotkeyModifiers);
std::optional<core::KeyInfo> KeyOfHotkey(int id);

// The one report of hotkeys that another program holds already.
std::string TakenHotkeysMessage(std::uint32_t modifiers, std::span<const core::KeyInfo> keys);

struct AgentRequest {
  enum class Mode { Resident, Quit, Send, Help, Invalid } mode = Mode::Resident;
  bool quiet = false;                // report problems on the standard error, not in a message box
  std::optional<core::KeyInfo> key;  // the key of --send
  std::string problem;               // what is wrong with an Invalid request
};

// KeylarkFn.exe [--quiet] | --quit | --send KEY | --help
AgentRequest ParseAgentArguments(std::span<const std::string> args);

inline constexpr const char* kAgentUsage =
    "usage: KeylarkFn.exe [--quiet]     run resident: hotkeys for the 24 keys\n"
    "       KeylarkFn.exe --send KEY    report one key to Keylark (E or Fn-E)\n"
    "       KeylarkFn.exe --quit        end the running agent\n";

}  // namespace keylark::control
