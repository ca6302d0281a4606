// The Fn keys' own parts: KeylarkFn.exe's decisions (the modifier sets a user
// may choose, where that choice is kept, the command lines it understands)
// and the ZOZIV device's requests.
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
using device::RequestByte;
using device::ZOZIV;

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

using Bytes = std::vector<std::uint8_t>;
using Log = std::vector<std::string>;

const char kDeviceName[] = "\\\\.\\ZOZIV";
constexpr std::uint32_t kControlCode = 0x9C406400;

// A ZOZIV object on a driver of its own, present or not.
struct Driver {
  explicit Driver(bool present = true) { device.SetPresent(present); }

  // The request the last call sent, checked for what every request shares.
  Bytes LastRequest() const {
    if (device.Controls().empty()) return {};
    const auto& call = device.Controls().back();
    EXPECT_EQ(call.control_code, kControlCode);
    EXPECT_EQ(call.output_size, 32U);
    return call.input;
  }

  fakes::FakeDevice device{kDeviceName};
  ZOZIV zoziv{device};
};

// The 33 request bytes: the function code, and the last value written.
Bytes Request(std::uint8_t code, std::uint8_t value = 0) {
  Bytes request{code, value};
  request.resize(33);
  return request;
}

const std::string kOpen = std::string("open ") + kDeviceName;

struct Setting {
  const char* name;
  std::int16_t (ZOZIV::*read)();
  std::uint8_t read_code;
  void (ZOZIV::*write)(RequestByte);  // nullptr: the setting cannot be written
  std::uint8_t write_code;
};

const Setting kSettings[] = {
    {"DeviceConfig", &ZOZIV::DeviceConfig, 139, &ZOZIV::SetDeviceConfig, 138},
    {"ParallelMode", &ZOZIV::ParallelMode, 141, &ZOZIV::SetParallelMode, 140},
    {"Pointing", &ZOZIV::Pointing, 143, &ZOZIV::SetPointing, 142},
    {"PowerOnDisplay", &ZOZIV::PowerOnDisplay, 145, &ZOZIV::SetPowerOnDisplay, 144},
    {"CPUFreqMode", &ZOZIV::CPUFreqMode, 147, &ZOZIV::SetCPUFreqMode, 146},
    {"BootOption", &ZOZIV::BootOption, 149, &ZOZIV::SetBootOption, 148},
    {"HDDBootOpt", &ZOZIV::HDDBootOpt, 151, &ZOZIV::SetHDDBootOpt, 150},
    {"ExtKBDFn", &ZOZIV::ExtKBDFn, 153, &ZOZIV::SetExtKBDFn, 152},
    {"WakeFromKBD", &ZOZIV::WakeFromKBD, 155, &ZOZIV::SetWakeFromKBD, 154},
    {"USBKBDMouse", &ZOZIV::USBKBDMouse, 157, &ZOZIV::SetUSBKBDMouse, 156},
    {"USBFloppy", &ZOZIV::USBFloppy, 159, &ZOZIV::SetUSBFloppy, 158},
    {"WakeOnLan", &ZOZIV::WakeOnLan, 161, &ZOZIV::SetWakeOnLan, 160},
    {"Brightness", &ZOZIV::Brightness, 163, &ZOZIV::SetBrightness, 162},
    {"DisplayState", &ZOZIV::DisplayState, 168, &ZOZIV::SetDisplayState, 167},
    {"FnInterface", &ZOZIV::FnInterface, 170, &ZOZIV::SetFnInterface, 169},
    {"FnLastSCode", &ZOZIV::FnLastSCode, 171, nullptr, 0},
    {"TouchPad", &ZOZIV::TouchPad, 192, &ZOZIV::SetTouchPad, 193},
};

TEST(Zoziv, EachSettingSendsOneRequestWithItsCodeAndKeepsTheWrittenByte) {
  for (const Setting& s : kSettings) {
    SCOPED_TRACE(s.name);
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

// Each call opens the device, sends one request and closes it; without the
// device it reads 0 and reports -1, and the next call starts again from 0.
// A refused request goes unnoticed and reads the cleared answer.
TEST(Zoziv, AMissingDeviceReportsMinusOneARefusingOneNothing) {
  Driver driver(false);
  driver.device.SetAnswer({0x55, 'x', 'y'});
  EXPECT_EQ(driver.zoziv.Pointing(), 0);
  EXPECT_EQ(driver.zoziv.DeviceStatus(), -1);
  driver.zoziv.SetPointing(std::uint8_t{0});
  EXPECT_EQ(driver.zoziv.DeviceStatus(), -1);
  EXPECT_EQ(driver.zoziv.BIOSVersion(), "");
  EXPECT_EQ(driver.zoziv.DeviceStatus(), -1);
  EXPECT_TRUE(driver.device.Controls().empty());
  driver.device.SetPresent(true);
  EXPECT_EQ(driver.zoziv.Pointing(), 0x55);
  EXPECT_EQ(driver.zoziv.DeviceStatus(), 0);
  EXPECT_EQ(driver.device.Log(), (Log{kOpen, kOpen, kOpen, kOpen, "control", "close"}));
  driver.device.RefuseControls(true);
  EXPECT_EQ(driver.zoziv.Pointing(), 0);
  EXPECT_EQ(driver.zoziv.BIOSVersion(), "");
  driver.zoziv.SetPointing(std::uint8_t{1});
  EXPECT_EQ(driver.zoziv.DeviceStatus(), 0);
}

TEST(Zoziv, BiosVersionIsTheAnswerUpToItsFirstZeroByte) {
  Driver driver;
  driver.device.SetAnswer({'V', '1', '.', '0', '7', 0, 'j', 'u', 'n', 'k'});
  EXPECT_EQ(driver.zoziv.BIOSVersion(), "V1.07");
  EXPECT_EQ(driver.LastRequest(), Request(128));

  Bytes full(40);  // more than fits: only 32 bytes come back
  for (std::size_t i = 0; i < full.size(); ++i) full[i] = static_cast<std::uint8_t>('A' + i);
  full[31] = 0xE9;  // an ANSI letter above 127 is kept as it is
  driver.device.SetAnswer(full);
  EXPECT_EQ(driver.zoziv.BIOSVersion(), std::string(full.begin(), full.begin() + 32));
}

}  // namespace
}  // namespace keylark
