#include "device/zoziv.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

#include "fakes/fake_device.h"

namespace keylark::device {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Log = std::vector<std::string>;

const char kDeviceName[] = "\\\\.\\ZOZIV";
constexpr std::uint32_t kControlCode = 0x9C406400;

// A write value cannot arrive from a wider integer without the caller saying so.
using Setter = void (ZOZIV::*)(RequestByte);
static_assert(std::is_invocable_v<Setter, ZOZIV&, std::uint8_t>);
static_assert(!std::is_invocable_v<Setter, ZOZIV&, int>);
static_assert(!std::is_invocable_v<Setter, ZOZIV&, std::int16_t>);
static_assert(!std::is_invocable_v<Setter, ZOZIV&, unsigned>);

class ZozivTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(device_.OpenHandleCount(), 0U) << "a handle was kept"; }

  // The one request the last call sent, checked for what every request shares.
  Bytes LastRequest() const {
    if (device_.Controls().empty()) return {};
    const auto& call = device_.Controls().back();
    EXPECT_EQ(call.control_code, kControlCode);
    EXPECT_EQ(call.input.size(), 33U);
    EXPECT_EQ(call.output_size, 32U);
    return call.input;
  }

  static Bytes Request(std::uint8_t code, std::uint8_t value = 0) {
    Bytes request(33, 0);
    request[0] = code;
    request[1] = value;
    return request;
  }

  fakes::FakeDevice device_{kDeviceName};
  ZOZIV zoziv_{device_};
};

const Log kOneRequest{std::string("open ") + kDeviceName, "control", "close"};
const Log kFailedOpen{std::string("open ") + kDeviceName};

// --- every numeric property, by table -------------------------------------

struct NumericRead {
  const char* name;
  std::int16_t (ZOZIV::*read)();
  std::uint8_t code;
};

const NumericRead kReads[] = {
    {"DeviceConfig", &ZOZIV::DeviceConfig, 139}, {"ParallelMode", &ZOZIV::ParallelMode, 141},
    {"Pointing", &ZOZIV::Pointing, 143},         {"PowerOnDisplay", &ZOZIV::PowerOnDisplay, 145},
    {"CPUFreqMode", &ZOZIV::CPUFreqMode, 147},   {"BootOption", &ZOZIV::BootOption, 149},
    {"HDDBootOpt", &ZOZIV::HDDBootOpt, 151},     {"ExtKBDFn", &ZOZIV::ExtKBDFn, 153},
    {"WakeFromKBD", &ZOZIV::WakeFromKBD, 155},   {"USBKBDMouse", &ZOZIV::USBKBDMouse, 157},
    {"USBFloppy", &ZOZIV::USBFloppy, 159},       {"WakeOnLan", &ZOZIV::WakeOnLan, 161},
    {"Brightness", &ZOZIV::Brightness, 163},     {"DisplayState", &ZOZIV::DisplayState, 168},
    {"FnInterface", &ZOZIV::FnInterface, 170},   {"FnLastSCode", &ZOZIV::FnLastSCode, 171},
    {"TouchPad", &ZOZIV::TouchPad, 192},
};

struct NumericWrite {
  const char* name;
  Setter write;
  std::uint8_t code;
};

const NumericWrite kWrites[] = {
    {"DeviceConfig", &ZOZIV::SetDeviceConfig, 138},
    {"ParallelMode", &ZOZIV::SetParallelMode, 140},
    {"Pointing", &ZOZIV::SetPointing, 142},
    {"PowerOnDisplay", &ZOZIV::SetPowerOnDisplay, 144},
    {"CPUFreqMode", &ZOZIV::SetCPUFreqMode, 146},
    {"BootOption", &ZOZIV::SetBootOption, 148},
    {"HDDBootOpt", &ZOZIV::SetHDDBootOpt, 150},
    {"ExtKBDFn", &ZOZIV::SetExtKBDFn, 152},
    {"WakeFromKBD", &ZOZIV::SetWakeFromKBD, 154},
    {"USBKBDMouse", &ZOZIV::SetUSBKBDMouse, 156},
    {"USBFloppy", &ZOZIV::SetUSBFloppy, 158},
    {"WakeOnLan", &ZOZIV::SetWakeOnLan, 160},
    {"Brightness", &ZOZIV::SetBrightness, 162},
    {"DisplayState", &ZOZIV::SetDisplayState, 167},
    {"FnInterface", &ZOZIV::SetFnInterface, 169},
    {"TouchPad", &ZOZIV::SetTouchPad, 193},
};

void PrintTo(const NumericRead& row, std::ostream* out) { *out << row.name; }
void PrintTo(const NumericWrite& row, std::ostream* out) { *out << row.name; }

class ZozivReadTest : public ZozivTest, public ::testing::WithParamInterface<NumericRead> {};
class ZozivWriteTest : public ZozivTest, public ::testing::WithParamInterface<NumericWrite> {};

TEST_P(ZozivReadTest, SendsItsReadCodeOnceAndReturnsAnswerByteZeroUnsigned) {
  device_.SetAnswer({200, 7, 9});
  EXPECT_EQ((zoziv_.*GetParam().read)(), 200);
  EXPECT_EQ(zoziv_.DeviceStatus(), 0);
  EXPECT_EQ(device_.Log(), kOneRequest);
  EXPECT_EQ(LastRequest(), Request(GetParam().code));
}

TEST_P(ZozivReadTest, WithoutTheDeviceReadsZeroWithStatusMinusOne) {
  device_.SetPresent(false);
  device_.SetAnswer({200});
  EXPECT_EQ((zoziv_.*GetParam().read)(), 0);
  EXPECT_EQ(zoziv_.DeviceStatus(), -1);
  EXPECT_EQ(device_.Log(), kFailedOpen);
}

TEST_P(ZozivWriteTest, SendsItsWriteCodeWithTheValueInByteOne) {
  (zoziv_.*GetParam().write)(std::uint8_t{0xA5});
  EXPECT_EQ(zoziv_.DeviceStatus(), 0);
  EXPECT_EQ(device_.Log(), kOneRequest);
  EXPECT_EQ(LastRequest(), Request(GetParam().code, 0xA5));
}

TEST_P(ZozivWriteTest, WithoutTheDeviceSetsStatusMinusOne) {
  device_.SetPresent(false);
  (zoziv_.*GetParam().write)(std::uint8_t{1});
  EXPECT_EQ(zoziv_.DeviceStatus(), -1);
  EXPECT_EQ(device_.Log(), kFailedOpen);
}

template <typename Row>
std::string RowName(const ::testing::TestParamInfo<Row>& info) {
  return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Properties, ZozivReadTest, ::testing::ValuesIn(kReads),
                         RowName<NumericRead>);
INSTANTIATE_TEST_SUITE_P(Properties, ZozivWriteTest, ::testing::ValuesIn(kWrites),
                         RowName<NumericWrite>);

// --- requests across calls ------------------------------------------------

TEST_F(ZozivTest, AReadAfterAWriteStillCarriesTheWrittenValue) {
  zoziv_.SetBrightness(std::uint8_t{77});
  zoziv_.TouchPad();
  EXPECT_EQ(LastRequest(), Request(192, 77));
  zoziv_.BIOSVersion();
  EXPECT_EQ(LastRequest(), Request(128, 77));
}

TEST_F(ZozivTest, EveryRequestOpensAndClosesItsOwnHandle) {
  zoziv_.Brightness();
  zoziv_.SetBrightness(std::uint8_t{3});
  Log expected = kOneRequest;
  expected.insert(expected.end(), kOneRequest.begin(), kOneRequest.end());
  EXPECT_EQ(device_.Log(), expected);
  ASSERT_EQ(device_.Controls().size(), 2U);
  EXPECT_NE(device_.Controls()[0].device, device_.Controls()[1].device);
}

TEST_F(ZozivTest, EachRequestPropertyStartsFromStatusZero) {
  device_.SetPresent(false);
  zoziv_.Brightness();
  ASSERT_EQ(zoziv_.DeviceStatus(), -1);
  device_.SetPresent(true);
  device_.SetAnswer({5});
  EXPECT_EQ(zoziv_.WakeOnLan(), 5);
  EXPECT_EQ(zoziv_.DeviceStatus(), 0);
}

TEST_F(ZozivTest, ARefusedRequestGoesUnnoticedAndReadsTheClearedAnswer) {
  device_.SetAnswer({0x55, 'x', 'y'});
  ASSERT_EQ(zoziv_.Pointing(), 0x55);
  device_.RefuseControls(true);
  EXPECT_EQ(zoziv_.Pointing(), 0);
  EXPECT_EQ(zoziv_.DeviceStatus(), 0);
  EXPECT_EQ(zoziv_.BIOSVersion(), "");
  EXPECT_EQ(zoziv_.DeviceStatus(), 0);
  zoziv_.SetPointing(std::uint8_t{1});
  EXPECT_EQ(zoziv_.DeviceStatus(), 0);
}

// --- BIOSVersion ----------------------------------------------------------

TEST_F(ZozivTest, BiosVersionIsTheAnswerUpToItsFirstZeroByte) {
  device_.SetAnswer({'V', '1', '.', '0', '7', 0, 'j', 'u', 'n', 'k'});
  EXPECT_EQ(zoziv_.BIOSVersion(), "V1.07");
  EXPECT_EQ(zoziv_.DeviceStatus(), 0);
  EXPECT_EQ(device_.Log(), kOneRequest);
  EXPECT_EQ(LastRequest(), Request(128));
}

TEST_F(ZozivTest, AFullBiosAnswerGivesAllThirtyTwoBytesAsText) {
  Bytes full(40);  // more than fits: only 32 bytes come back
  for (std::size_t i = 0; i < full.size(); ++i) full[i] = static_cast<std::uint8_t>('A' + i);
  full[31] = 0xE9;  // an ANSI letter above 127 is kept as it is
  device_.SetAnswer(full);
  const std::string version = zoziv_.BIOSVersion();
  EXPECT_EQ(version, std::string(full.begin(), full.begin() + 32));
  EXPECT_EQ(version.size(), 32U);
}

TEST_F(ZozivTest, BiosVersionWithoutTheDeviceIsEmptyWithStatusMinusOne) {
  device_.SetPresent(false);
  EXPECT_EQ(zoziv_.BIOSVersion(), "");
  EXPECT_EQ(zoziv_.DeviceStatus(), -1);
}

// --- properties that make no request --------------------------------------

TEST_F(ZozivTest, PropertiesWithoutARequestAnswerFixedValuesAndKeepNothing) {
  zoziv_.SetPwdOwnerString("Someone");
  zoziv_.SetAbleToRunHWSetup(0);
  EXPECT_EQ(zoziv_.PwdOwnerString(), "");
  EXPECT_EQ(zoziv_.AbleToRunHWSetup(), 1);
  EXPECT_EQ(zoziv_.UserPasswordState(), 0);
  EXPECT_EQ(zoziv_.SupervisorPasswordState(), 0);
  EXPECT_TRUE(device_.Log().empty());
}

TEST_F(ZozivTest, PropertiesWithoutARequestResetAFailedStatus) {
  device_.SetPresent(false);
  const std::vector<std::pair<const char*, void (*)(ZOZIV&)>> calls = {
      {"UserPasswordState", [](ZOZIV& z) { z.UserPasswordState(); }},
      {"SupervisorPasswordState", [](ZOZIV& z) { z.SupervisorPasswordState(); }},
      {"PwdOwnerString", [](ZOZIV& z) { z.PwdOwnerString(); }},
      {"SetPwdOwnerString", [](ZOZIV& z) { z.SetPwdOwnerString("x"); }},
      {"AbleToRunHWSetup", [](ZOZIV& z) { z.AbleToRunHWSetup(); }},
      {"SetAbleToRunHWSetup", [](ZOZIV& z) { z.SetAbleToRunHWSetup(1); }},
  };
  for (const auto& [name, call] : calls) {
    SCOPED_TRACE(name);
    zoziv_.Brightness();
    ASSERT_EQ(zoziv_.DeviceStatus(), -1);
    call(zoziv_);
    EXPECT_EQ(zoziv_.DeviceStatus(), 0);
  }
}

}  // namespace
}  // namespace keylark::device
