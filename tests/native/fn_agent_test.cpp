// The Fn keys' own parts: what KeylarkFn.exe accepts and registers, and the
// requests the ZOZIV device is sent.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/fn_agent.h"
#include "device/zoziv.h"
#include "fakes/fake_device.h"
#include "fakes/key_bar_world.h"

namespace keylark {
namespace {

using namespace control;
using device::ZOZIV;
using Bytes = std::vector<std::uint8_t>;

TEST(HotkeyModifiers, EachModifierAtMostOnceAndNeverShiftAlone) {
  const std::pair<const char*, std::uint32_t> accepted[] = {
      {"Ctrl+Alt+Shift", kModControl | kModAlt | kModShift},
      {" alt + WIN ", kModAlt | kModWin},
      {"control+shift", kModControl | kModShift},
      {"Win", kModWin}};
  for (const auto& [text, modifiers] : accepted) EXPECT_EQ(ParseHotkeyModifiers(text), modifiers);
  for (const char* text : {"Shift", "Ctrl+Ctrl", "Ctrl+", "", "Ctrl+Meta"}) {
    EXPECT_EQ(ParseHotkeyModifiers(text), std::nullopt) << '"' << text << '"';
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

using HotkeySettingTest = fakes::WorldTest;

TEST_F(HotkeySettingTest, TheChoiceIsReadFromTheProductKeyAndABadOneIsReported) {
  const std::uint32_t all = kModControl | kModAlt | kModShift;
  EXPECT_EQ(ReadHotkeyModifiers(world_.store).modifiers, all);
  world_.Put(fakes::layout::kCfg, "FnHotkeyModifiers", "Win+Alt");
  EXPECT_EQ(ReadHotkeyModifiers(world_.store).modifiers, all) << "ini\\cfg is Keylark's own";
  world_.Put("Software\\Korvane\\Keylark", "FnHotkeyModifiers", "Win+Alt");
  EXPECT_EQ(ReadHotkeyModifiers(world_.store).modifiers, kModWin | kModAlt);
  EXPECT_EQ(ReadHotkeyModifiers(world_.store).problem, "");
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
  const std::vector<std::string> bad[] = {
      {"--send"},      {"--send", "E", "R"},  {"--quiet", "--send", "E"},
      {"--send", "I"}, {"--quit", "--quiet"}, {"--help", "--quit"},
      {"-x"}};
  for (const auto& args : bad) {
    EXPECT_EQ(parse(args).mode, Mode::Invalid) << args[0] << " and " << args.size() - 1 << " more";
  }
}

// A ZOZIV object on a driver of its own; each request is checked for what
// every request shares: the driver's one control code and a 32-byte answer.
struct Driver {
  Bytes LastRequest() const {
    if (device.Controls().empty()) return {};
    const auto& call = device.Controls().back();
    EXPECT_EQ(call.control_code, 0x9C406400U);
    EXPECT_EQ(call.output_size, 32U);
    return call.input;
  }
  fakes::FakeDevice device{"\\\\.\\ZOZIV"};
  ZOZIV zoziv{device};
};

// The 33 request bytes: the function code, and the last value written.
Bytes Request(std::uint8_t code, std::uint8_t value = 0) {
  Bytes request{code, value};
  request.resize(33);
  return request;
}

const struct Setting {
  std::int16_t (ZOZIV::*read)();
  std::uint8_t read_code;
  void (ZOZIV::*write)(device::RequestByte);  // nullptr: the setting cannot be written
  std::uint8_t write_code;
} kSettings[] = {
    {&ZOZIV::DeviceConfig, 139, &ZOZIV::SetDeviceConfig, 138},
    {&ZOZIV::ParallelMode, 141, &ZOZIV::SetParallelMode, 140},
    {&ZOZIV::Pointing, 143, &ZOZIV::SetPointing, 142},
    {&ZOZIV::PowerOnDisplay, 145, &ZOZIV::SetPowerOnDisplay, 144},
    {&ZOZIV::CPUFreqMode, 147, &ZOZIV::SetCPUFreqMode, 146},
    {&ZOZIV::BootOption, 149, &ZOZIV::SetBootOption, 148},
    {&ZOZIV::HDDBootOpt, 151, &ZOZIV::SetHDDBootOpt, 150},
    {&ZOZIV::ExtKBDFn, 153, &ZOZIV::SetExtKBDFn, 152},
    {&ZOZIV::WakeFromKBD, 155, &ZOZIV::SetWakeFromKBD, 154},
    {&ZOZIV::USBKBDMouse, 157, &ZOZIV::SetUSBKBDMouse, 156},
    {&ZOZIV::USBFloppy, 159, &ZOZIV::SetUSBFloppy, 158},
    {&ZOZIV::WakeOnLan, 161, &ZOZIV::SetWakeOnLan, 160},
    {&ZOZIV::Brightness, 163, &ZOZIV::SetBrightness, 162},
    {&ZOZIV::DisplayState, 168, &ZOZIV::SetDisplayState, 167},
    {&ZOZIV::FnInterface, 170, &ZOZIV::SetFnInterface, 169},
    {&ZOZIV::FnLastSCode, 171, nullptr, 0},
    {&ZOZIV::TouchPad, 192, &ZOZIV::SetTouchPad, 193},
};

TEST(Zoziv, EachSettingSendsOneRequestWithItsCodeAndKeepsTheWrittenByte) {
  for (const Setting& s : kSettings) {
    SCOPED_TRACE(static_cast<int>(s.read_code));
    Driver driver;
    driver.device.SetAnswer({200, 7, 9});
    EXPECT_EQ((driver.zoziv.*s.read)(), 200) << "answer byte 0, unsigned";
    EXPECT_EQ(driver.LastRequest(), Request(s.read_code));
    if (s.write == nullptr) continue;
    (driver.zoziv.*s.write)(std::uint8_t{0xA5});
    EXPECT_EQ(driver.LastRequest(), Request(s.write_code, 0xA5));
    (driver.zoziv.*s.read)();
    EXPECT_EQ(driver.LastRequest(), Request(s.read_code, 0xA5)) << "the written byte stays";
  }
}

// Each call opens, sends one request, closes; without the device it reads 0 and
// reports -1. A refused request goes unnoticed and reads the cleared answer.
TEST(Zoziv, AMissingDeviceReportsMinusOneAndTheBiosVersionEndsAtItsFirstZeroByte) {
  Driver driver;
  driver.device.SetPresent(false);
  driver.device.SetAnswer({'V', '1', '.', '0', '7', 0, 'j', 'u', 'n', 'k'});
  EXPECT_EQ(driver.zoziv.Pointing(), 0);
  EXPECT_EQ(driver.zoziv.DeviceStatus(), -1);
  driver.zoziv.SetPointing(std::uint8_t{0});
  EXPECT_EQ(driver.zoziv.DeviceStatus(), -1);
  EXPECT_EQ(driver.zoziv.BIOSVersion(), "");
  EXPECT_EQ(driver.zoziv.DeviceStatus(), -1);
  EXPECT_TRUE(driver.device.Controls().empty());
  driver.device.SetPresent(true);
  EXPECT_EQ(driver.zoziv.BIOSVersion(), "V1.07");
  EXPECT_EQ(driver.zoziv.DeviceStatus(), 0);
  EXPECT_EQ(driver.LastRequest(), Request(128));
  const std::string open = "open \\\\.\\ZOZIV";
  EXPECT_EQ(driver.device.Log(),
            (std::vector<std::string>{open, open, open, open, "control", "close"}));
  Bytes full(40);  // more than fits: only 32 bytes come back
  for (std::size_t i = 0; i < full.size(); ++i) full[i] = static_cast<std::uint8_t>('A' + i);
  full[31] = 0xE9;  // an ANSI letter above 127 is kept as it is
  driver.device.SetAnswer(full);
  EXPECT_EQ(driver.zoziv.BIOSVersion(), std::string(full.begin(), full.begin() + 32));
  driver.device.RefuseControls(true);
  EXPECT_EQ(driver.zoziv.Pointing(), 0);
  EXPECT_EQ(driver.zoziv.BIOSVersion(), "");
  driver.zoziv.SetPointing(std::uint8_t{1});
  EXPECT_EQ(driver.zoziv.DeviceStatus(), 0);
}

}  // namespace
}  // namespace keylark
