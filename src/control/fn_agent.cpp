#include "control/fn_agent.h"

#include "control/key_argument.h"
#include "store/layout.h"

namespace keylark::control {
namespace {

struct ModifierName {
  const char* name;
  std::uint32_t bit;
};
constexpr std::array<ModifierName, 4> kModifierNames = {{
    {"ctrl", kModControl},
    {"alt", kModAlt},
    {"shift", kModShift},
    {"win", kModWin},
}};

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::optional<std::uint32_t> ModifierBit(std::string_view word) {
  std::string lower(word);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (lower == "control") lower = "ctrl";
  for (const ModifierName& modifier : kModifierNames) {
    if (lower == modifier.name) return modifier.bit;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::uint32_t> ParseHotkeyModifiers(std::string_view text) {
  std::uint32_t modifiers = 0;
  while (true) {
    const std::size_t plus = text.find('+');
    const std::optional<std::uint32_t> bit = ModifierBit(Trim(text.substr(0, plus)));
    if (!bit || (modifiers & *bit) != 0) return std::nullopt;
    modifiers |= *bit;
    if (plus == std::string_view::npos) break;
    text.remove_prefix(plus + 1);
  }
  if (modifiers == kModShift) return std::nullopt;
  return modifiers;
}

std::string FormatHotkeyModifiers(std::uint32_t modifiers) {
  static constexpr std::array<ModifierName, 4> kShown = {{
      {"Ctrl", kModControl},
      {"Alt", kModAlt},
      {"Shift", kModShift},
      {"Win", kModWin},
  }};
  std::string text;
  for (const ModifierName& modifier : kShown) {
    if ((modifiers & modifier.bit) == 0) continue;
    if (!text.empty()) text += '+';
    text += modifier.name;
  }
  return text;
}

HotkeyModifierSetting ReadHotkeyModifiers(const store::Store& store) {
  const std::optional<std::string> text = store.ReadText(store::kProductKey, kHotkeyModifiersValue);
  if (!text) return {};
  if (const std::optional<std::uint32_t> modifiers = ParseHotkeyModifiers(*text)) {
    return {*modifiers, {}};
  }
  return {kDefaultHotkeyModifiers,
          std::string("The value ") + kHotkeyModifiersValue + " \"" + *text +
              "\" is not understood (write for example Ctrl+Alt+Shift or Win+Alt); " +
              FormatHotkeyModifiers(kDefaultHotkeyModifiers) + " is used instead."};
}

std::array<Hotkey, core::kKeyCount> HotkeyTable(std::uint32_t modifiers) {
  std::array<Hotkey, core::kKeyCount> table{};
  for (std::size_t i = 0; i < table.size(); ++i) {
    const core::KeyInfo& key = core::kKeys[i];
    // Virtual-key codes of digits and capital letters are their ASCII codes.
    table[i] = Hotkey{key.index + 1, modifiers | kModNoRepeat,
                      static_cast<std::uint32_t>(key.character), key};
  }
  return table;
}

std::optional<core::KeyInfo> KeyOfHotkey(int id) {
  for (const Hotkey& hotkey : HotkeyTable()) {
    if (hotkey.id == id) return hotkey.key;
  }
  return std::nullopt;
}

std::string TakenHotkeysMessage(std::uint32_t modifiers, std::span<const core::KeyInfo> keys) {
  std::string list;
  for (const core::KeyInfo& key : keys) {
    if (!list.empty()) list += ", ";
    list += FormatHotkeyModifiers(modifiers) + "+" + key.character;
  }
  return "KeylarkFn could not register " + list +
         ": another program uses them. These keys do not reach Keylark from the keyboard; "
         "the other keys do. Choose other modifiers in the registry value " +
         kHotkeyModifiersValue + " if you need them.";
}

AgentRequest ParseAgentArguments(std::span<const std::string> args) {
  using Mode = AgentRequest::Mode;
  AgentRequest request;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--quiet") {
      request.quiet = true;
    } else if (arg == "--quit" && args.size() == 1) {
      request.mode = Mode::Quit;
    } else if ((arg == "--help" || arg == "/?") && args.size() == 1) {
      request.mode = Mode::Help;
    } else if (arg == "--send") {
      if (args.size() != 2 || i != 0) {
        return {Mode::Invalid, false, std::nullopt, "--send takes one key and nothing else"};
      }
      request.mode = Mode::Send;
      request.key = ParseKeyArgument(args[1]);
      if (!request.key) return {Mode::Invalid, false, std::nullopt, UnknownKeyMessage(args[1])};
      return request;
    } else {
      return {Mode::Invalid, false, std::nullopt, "unexpected argument \"" + arg + "\""};
    }
  }
  return request;
}

}  // namespace keylark::control
