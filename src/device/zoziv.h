// ZOZIV: the notebook's firmware settings, reached through the system-management
// driver. Every setting is a property: a read sends one request naming the
// setting and returns the first byte of the answer; a write sends the setting's
// write code and the new value. Each request opens the device, sends one
// control request and closes it again, so an object never holds a handle.
//
// Failures are not thrown: DeviceStatus() tells whether the last property call
// reached the device (0) or could not open it (-1). A control request that the
// driver refuses after a good open is not noticed; the read then returns the
// cleared answer (0, or the empty text).
//
// No other part of the program uses this class; it is a component of its own.
// The buffers are not guarded: use one object from one thread at a time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/device.h"

namespace keylark::device {

// The value of a write: it travels in one request byte. It can only be built
// from std::uint8_t; any other integer type is refused at compile time, so a
// caller with a wider number converts it where the range is visible instead
// of the value being cut silently to its low byte.
class RequestByte {
 public:
  constexpr RequestByte(std::uint8_t value) : value_(value) {}  // implicit on purpose
  template <typename Other>
  RequestByte(Other) = delete;

  constexpr std::uint8_t Value() const { return value_; }

 private:
  std::uint8_t value_;
};

class ZOZIV {
 public:
  // Results of the last property call, as DeviceStatus() reports them.
  static constexpr std::int32_t kReached = 0;
  static constexpr std::int32_t kOpenFailed = -1;

  static constexpr std::size_t kRequestSize = 33;
  static constexpr std::size_t kAnswerSize = 32;

  explicit ZOZIV(platform::Device& device);

  std::int32_t DeviceStatus() const { return device_status_; }

  // Firmware version text: the answer up to its first zero byte.
  std::string BIOSVersion();

  std::int16_t DeviceConfig();
  void SetDeviceConfig(RequestByte state);
  std::int16_t ParallelMode();
  void SetParallelMode(RequestByte state);
  std::int16_t Pointing();
  void SetPointing(RequestByte state);
  std::int16_t PowerOnDisplay();
  void SetPowerOnDisplay(RequestByte state);
  std::int16_t CPUFreqMode();
  void SetCPUFreqMode(RequestByte state);
  std::int16_t BootOption();
  void SetBootOption(RequestByte state);
  std::int16_t HDDBootOpt();
  void SetHDDBootOpt(RequestByte state);
  std::int16_t ExtKBDFn();
  void SetExtKBDFn(RequestByte state);
  std::int16_t WakeFromKBD();
  void SetWakeFromKBD(RequestByte state);
  std::int16_t USBKBDMouse();
  void SetUSBKBDMouse(RequestByte state);
  std::int16_t USBFloppy();
  void SetUSBFloppy(RequestByte state);
  std::int16_t WakeOnLan();
  void SetWakeOnLan(RequestByte state);
  std::int16_t Brightness();
  void SetBrightness(RequestByte state);
  std::int16_t DisplayState();
  void SetDisplayState(RequestByte device);
  std::int16_t FnInterface();
  void SetFnInterface(RequestByte state);
  std::int16_t FnLastSCode();
  std::int16_t TouchPad();
  void SetTouchPad(RequestByte state);

  // Settings the driver does not offer: they answer fixed values without a
  // request, keep nothing that is written, and report the device as reached.
  std::int16_t UserPasswordState();
  std::int16_t SupervisorPasswordState();
  std::string PwdOwnerString();
  void SetPwdOwnerString(const std::string& owner_string);
  std::int16_t AbleToRunHWSetup();
  // Nothing is sent, so no byte range applies to this value.
  void SetAbleToRunHWSetup(std::int16_t state);

 private:
  std::int16_t ReadSetting(std::uint8_t read_code);
  void WriteSetting(std::uint8_t write_code, RequestByte value);
  // Every request property starts from status 0 and a cleared answer.
  void StartCall();
  // Sends the request with the given function code; kOpenFailed when the
  // device could not be opened, otherwise kReached.
  std::int32_t Request(std::uint32_t control_code, std::uint8_t function_code);

  platform::Device& device_;
  // Byte 0 names the function, byte 1 carries a written value and stays
  // there until the next write; the rest is always zero.
  std::array<std::uint8_t, kRequestSize> request_{};
  std::array<std::uint8_t, kAnswerSize> answer_{};
  std::int32_t device_status_ = kReached;
};

}  // namespace keylark::device
