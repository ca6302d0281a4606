#include "device/zoziv.h"

#include <algorithm>

namespace keylark::device {
namespace {

// The driver's one control code: device type 0x9C40, function 0x900,
// buffered transfer, read access (the handle is opened for reading only).
constexpr std::uint32_t ControlCode(std::uint32_t device_type, std::uint32_t function,
                                    std::uint32_t method, std::uint32_t access) {
  return (device_type << 16) | (access << 14) | (function << 2) | method;
}
constexpr std::uint32_t kMethodBuffered = 0;
constexpr std::uint32_t kFileReadAccess = 1;
constexpr std::uint32_t kSettingsControlCode =
    ControlCode(0x9C40, 0x900, kMethodBuffered, kFileReadAccess);
static_assert(kSettingsControlCode == 0x9C406400);

const std::string kDeviceName = std::string("\\\\.\\") + "ZOZIV";

// Function codes of the request's byte 0. Reads and writes come in pairs;
// TouchPad reads below its write code, and 164 to 166 belong to nothing.
namespace code {
constexpr std::uint8_t kBiosVersion = 128;
constexpr std::uint8_t kSetDeviceConfig = 138, kDeviceConfig = 139;
constexpr std::uint8_t kSetParallelMode = 140, kParallelMode = 141;
constexpr std::uint8_t kSetPointing = 142, kPointing = 143;
constexpr std::uint8_t kSetPowerOnDisplay = 144, kPowerOnDisplay = 145;
constexpr std::uint8_t kSetCpuFreqMode = 146, kCpuFreqMode = 147;
constexpr std::uint8_t kSetBootOption = 148, kBootOption = 149;
constexpr std::uint8_t kSetHddBootOpt = 150, kHddBootOpt = 151;
constexpr std::uint8_t kSetExtKbdFn = 152, kExtKbdFn = 153;
constexpr std::uint8_t kSetWakeFromKbd = 154, kWakeFromKbd = 155;
constexpr std::uint8_t kSetUsbKbdMouse = 156, kUsbKbdMouse = 157;
constexpr std::uint8_t kSetUsbFloppy = 158, kUsbFloppy = 159;
constexpr std::uint8_t kSetWakeOnLan = 160, kWakeOnLan = 161;
constexpr std::uint8_t kSetBrightness = 162, kBrightness = 163;
constexpr std::uint8_t kSetDisplayState = 167, kDisplayState = 168;
constexpr std::uint8_t kSetFnInterface = 169, kFnInterface = 170;
constexpr std::uint8_t kFnLastSCode = 171;
constexpr std::uint8_t kTouchPad = 192, kSetTouchPad = 193;
}  // namespace code

}  // namespace

ZOZIV::ZOZIV(platform::Device& device) : device_(device) {}

void ZOZIV::StartCall() {
  device_status_ = kReached;
  answer_.fill(0);
}

std::int32_t ZOZIV::Request(std::uint32_t control_code, std::uint8_t function_code) {
  request_[0] = function_code;
  const std::optional<platform::DeviceHandle> handle = device_.OpenExisting(kDeviceName);
  if (!handle) return kOpenFailed;
  // The driver's own verdict is not looked at: a refused request leaves the
  // cleared answer, which reads as 0 or the empty text.
  std::uint32_t returned = 0;
  device_.Control(*handle, control_code, request_.data(),
                  static_cast<std::uint32_t>(request_.size()), answer_.data(),
                  static_cast<std::uint32_t>(answer_.size()), &returned);
  device_.Close(*handle);
  return kReached;
}

std::int16_t ZOZIV::ReadSetting(std::uint8_t read_code) {
  StartCall();
  if (Request(kSettingsControlCode, read_code) == kOpenFailed) {
    device_status_ = kOpenFailed;
    return 0;
  }
  return answer_[0];
}

void ZOZIV::WriteSetting(std::uint8_t write_code, RequestByte value) {
  StartCall();
  request_[1] = value.Value();
  if (Request(kSettingsControlCode, write_code) == kOpenFailed) device_status_ = kOpenFailed;
}

std::string ZOZIV::BIOSVersion() {
  StartCall();
  if (Request(kSettingsControlCode, code::kBiosVersion) == kOpenFailed) {
    device_status_ = kOpenFailed;
    return {};
  }
  const auto end = std::find(answer_.begin(), answer_.end(), std::uint8_t{0});
  return std::string(answer_.begin(), end);
}

std::int16_t ZOZIV::DeviceConfig() { return ReadSetting(code::kDeviceConfig); }
void ZOZIV::SetDeviceConfig(RequestByte state) { WriteSetting(code::kSetDeviceConfig, state); }
std::int16_t ZOZIV::ParallelMode() { return ReadSetting(code::kParallelMode); }
void ZOZIV::SetParallelMode(RequestByte state) { WriteSetting(code::kSetParallelMode, state); }
std::int16_t ZOZIV::Pointing() { return ReadSetting(code::kPointing); }
void ZOZIV::SetPointing(RequestByte state) { WriteSetting(code::kSetPointing, state); }
std::int16_t ZOZIV::PowerOnDisplay() { return ReadSetting(code::kPowerOnDisplay); }
void ZOZIV::SetPowerOnDisplay(RequestByte state) { WriteSetting(code::kSetPowerOnDisplay, state); }
std::int16_t ZOZIV::CPUFreqMode() { return ReadSetting(code::kCpuFreqMode); }
void ZOZIV::SetCPUFreqMode(RequestByte state) { WriteSetting(code::kSetCpuFreqMode, state); }
std::int16_t ZOZIV::BootOption() { return ReadSetting(code::kBootOption); }
void ZOZIV::SetBootOption(RequestByte state) { WriteSetting(code::kSetBootOption, state); }
std::int16_t ZOZIV::HDDBootOpt() { return ReadSetting(code::kHddBootOpt); }
void ZOZIV::SetHDDBootOpt(RequestByte state) { WriteSetting(code::kSetHddBootOpt, state); }
std::int16_t ZOZIV::ExtKBDFn() { return ReadSetting(code::kExtKbdFn); }
void ZOZIV::SetExtKBDFn(RequestByte state) { WriteSetting(code::kSetExtKbdFn, state); }
std::int16_t ZOZIV::WakeFromKBD() { return ReadSetting(code::kWakeFromKbd); }
void ZOZIV::SetWakeFromKBD(RequestByte state) { WriteSetting(code::kSetWakeFromKbd, state); }
std::int16_t ZOZIV::USBKBDMouse() { return ReadSetting(code::kUsbKbdMouse); }
void ZOZIV::SetUSBKBDMouse(RequestByte state) { WriteSetting(code::kSetUsbKbdMouse, state); }
std::int16_t ZOZIV::USBFloppy() { return ReadSetting(code::kUsbFloppy); }
void ZOZIV::SetUSBFloppy(RequestByte state) { WriteSetting(code::kSetUsbFloppy, state); }
std::int16_t ZOZIV::WakeOnLan() { return ReadSetting(code::kWakeOnLan); }
void ZOZIV::SetWakeOnLan(RequestByte state) { WriteSetting(code::kSetWakeOnLan, state); }
std::int16_t ZOZIV::Brightness() { return ReadSetting(code::kBrightness); }
void ZOZIV::SetBrightness(RequestByte state) { WriteSetting(code::kSetBrightness, state); }
std::int16_t ZOZIV::DisplayState() { return ReadSetting(code::kDisplayState); }
void ZOZIV::SetDisplayState(RequestByte device) { WriteSetting(code::kSetDisplayState, device); }
std::int16_t ZOZIV::FnInterface() { return ReadSetting(code::kFnInterface); }
void ZOZIV::SetFnInterface(RequestByte state) { WriteSetting(code::kSetFnInterface, state); }
std::int16_t ZOZIV::FnLastSCode() { return ReadSetting(code::kFnLastSCode); }
std::int16_t ZOZIV::TouchPad() { return ReadSetting(code::kTouchPad); }
void ZOZIV::SetTouchPad(RequestByte state) { WriteSetting(code::kSetTouchPad, state); }

std::int16_t ZOZIV::UserPasswordState() {
  device_status_ = kReached;
  return 0;
}

std::int16_t ZOZIV::SupervisorPasswordState() {
  device_status_ = kReached;
  return 0;
}

std::string ZOZIV::PwdOwnerString() {
  device_status_ = kReached;
  return {};
}

void ZOZIV::SetPwdOwnerString(const std::string& /*owner_string*/) { device_status_ = kReached; }

std::int16_t ZOZIV::AbleToRunHWSetup() {
  device_status_ = kReached;
  return 1;
}

void ZOZIV::SetAbleToRunHWSetup(std::int16_t /*state*/) { device_status_ = kReached; }

}  // namespace keylark::device
