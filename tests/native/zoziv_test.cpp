#include "device/zoziv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_device.h"

namespace keylark::device {
namespace {

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
}  // namespace keylark::device
