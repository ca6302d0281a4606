// KeylarkFn.exe's decisions: the modifier sets a user may choose, where that
// choice is kept, and the command lines it understands.
#include "control/fn_agent.h"

#include <gtest/gtest.h>

#include "fakes/key_bar_world.h"

namespace keylark::control {
namespace {

TEST(HotkeyModifiers, EachModifierAtMostOnceAndNeverShiftAlone) {
  const std::pair<const char*, std::optional<std::uint32_t>> cases[] = {
      {"Ctrl+Alt+Shift", kModControl | kModAlt | kModShift},
      {" alt + WIN ", kModAlt | kModWin},
      {"control+shift", kModControl | kModShift},
      {"Win", kModWin},
      {"Alt", kModAlt},
      {"Shift", std::nullopt},
      {"Ctrl+Ctrl", std::nullopt},
      {"Ctrl+", std::nullopt},
      {"", std::nullopt},
      {"Ctrl+Meta", std::nullopt},
  };
  for (const auto& [text, modifiers] : cases) {
    EXPECT_EQ(ParseHotkeyModifiers(text), modifiers) << '"' << text << '"';
  }
}

// What RegisterHotKey is asked for: the chosen modifiers and MOD_NOREPEAT
// (0x4000), so that a key held down launches once; one letter or digit each.
TEST(HotkeyTable, EachKeyIsRegisteredWithTheChosenModifiersAndWithoutRepeat) {
  std::string keys;
  for (const Hotkey& hotkey : HotkeyTable(kModWin | kModAlt)) {
    EXPECT_EQ(hotkey.modifiers, 0x4000U | 0x8U | 0x1U) << hotkey.key.character;
    EXPECT_EQ(KeyOfHotkey(hotkey.id)->character, hotkey.key.character);
    keys += static_cast<char>(hotkey.virtual_key);
  }
  EXPECT_EQ(keys, "123456ABCDEFGHNQRSTVWXYZ");
}

class HotkeySettingTest : public fakes::WorldTest {};

TEST_F(HotkeySettingTest, TheChoiceIsReadFromTheProductKeyAndABadOneIsReported) {
  const std::uint32_t all = kModControl | kModAlt | kModShift;
  EXPECT_EQ(ReadHotkeyModifiers(world_.store).modifiers, all);
  world_.Put(fakes::layout::kCfg, "FnHotkeyModifiers", "Win+Alt");
  EXPECT_EQ(ReadHotkeyModifiers(world_.store).modifiers, all) << "ini\\cfg is Keylark's own";
  world_.Put("Software\\Korvane\\Keylark", "FnHotkeyModifiers", "Win+Alt");
  const HotkeyModifierSetting chosen = ReadHotkeyModifiers(world_.store);
  EXPECT_EQ(chosen.modifiers, kModWin | kModAlt);
  EXPECT_TRUE(chosen.problem.empty());
  world_.Put("Software\\Korvane\\Keylark", "FnHotkeyModifiers", "Shift");
  const HotkeyModifierSetting refused = ReadHotkeyModifiers(world_.store);
  EXPECT_EQ(refused.modifiers, all);
  EXPECT_NE(refused.problem.find("\"Shift\" is not understood"), std::string::npos);
}

TEST(AgentArguments, SendTakesExactlyOneKeyAndQuitAndHelpStandAlone) {
  using Mode = AgentRequest::Mode;
  const auto parse = [](std::vector<std::string> args) { return ParseAgentArguments(args); };
  EXPECT_EQ(parse({}).mode, Mode::Resident);
  EXPECT_TRUE(parse({"--quiet"}).quiet);
  EXPECT_EQ(parse({"--quit"}).mode, Mode::Quit);
  EXPECT_EQ(parse({"--help"}).mode, Mode::Help);
  const AgentRequest send = parse({"--send", "fn-e"});
  EXPECT_EQ(send.mode, Mode::Send);
  EXPECT_EQ(send.key->character, 'E');
  for (const std::vector<std::string>& bad :
       std::vector<std::vector<std::string>>{{"--send"},
                                             {"--send", "E", "R"},
                                             {"--quiet", "--send", "E"},
                                             {"--send", "I"},
                                             {"--quit", "--quiet"},
                                             {"--help", "--quit"},
                                             {"-x"}}) {
    EXPECT_EQ(parse(bad).mode, Mode::Invalid) << bad[0] << " and " << bad.size() - 1 << " more";
  }
}

}  // namespace
}  // namespace keylark::control
