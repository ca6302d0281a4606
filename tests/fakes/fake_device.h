// An in-memory device driver: one device under one name, a canned answer for
// every control request, and a record of every call in the order made.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/device.h"

namespace keylark::fakes {

class FakeDevice final : public platform::Device {
 public:
  struct ControlCall {
    platform::DeviceHandle device = 0;
    std::uint32_t control_code = 0;
    std::vector<std::uint8_t> input;  // a copy of the input bytes as sent
    std::uint32_t output_size = 0;
  };

  // The device opens under `name` only (compared exactly, as the driver's
  // symbolic link would be found).
  explicit FakeDevice(std::string name);

  std::optional<platform::DeviceHandle> OpenExisting(const std::string& name) override;
  bool Control(platform::DeviceHandle device, std::uint32_t control_code, const std::uint8_t* input,
               std::uint32_t input_size, std::uint8_t* output, std::uint32_t output_size,
               std::uint32_t* returned) override;
  void Close(platform::DeviceHandle device) override;

  // Without the device (no driver loaded) every open fails.
  void SetPresent(bool present) { present_ = present; }
  // Bytes copied into the output of every accepted request (as many as fit).
  void SetAnswer(std::vector<std::uint8_t> answer) { answer_ = std::move(answer); }
  // Makes the driver refuse control requests: it returns false and writes nothing.
  void RefuseControls(bool refuse) { refuse_controls_ = refuse; }

  // Every call: "open NAME", "control", "close", or a line naming a misuse
  // ("control on a closed handle", "close of a closed handle").
  const std::vector<std::string>& Log() const { return log_; }
  const std::vector<ControlCall>& Controls() const { return controls_; }
  std::size_t OpenHandleCount() const { return open_.size(); }

 private:
  std::string name_;
  bool present_ = true;
  bool refuse_controls_ = false;
  std::vector<std::uint8_t> answer_;
  std::set<platform::DeviceHandle> open_;
  platform::DeviceHandle next_handle_ = 0x40;
  std::vector<std::string> log_;
  std::vector<ControlCall> controls_;
};

}  // namespace keylark::fakes
