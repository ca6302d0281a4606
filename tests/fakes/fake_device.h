// An in-memory device driver: one device under one name, a canned answer for
// every control request, and a record of every call in the order made.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/device.h"

namespace keylark::fakes {

class FakeDevice final : public platform::Device {
 public:
  struct ControlCall {
    std::uint32_t control_code = 0;
    std::vector<std::uint8_t> input;  // a copy of the input bytes as sent
    std::uint32_t output_size = 0;
  };

  // The device opens under `name` only, compared exactly as a symbolic link.
  explicit FakeDevice(std::string name) : name_(std::move(name)) {}

  std::optional<platform::DeviceHandle> OpenExisting(const std::string& name) override {
    log_.push_back("open " + name);
    if (!present_ || name != name_) return std::nullopt;
    return *open_.insert(next_handle_++).first;
  }
  bool Control(platform::DeviceHandle device, std::uint32_t control_code, const std::uint8_t* input,
               std::uint32_t input_size, std::uint8_t* output, std::uint32_t output_size,
               std::uint32_t* returned) override {
    log_.push_back(open_.count(device) ? "control" : "control on a closed handle");
    if (open_.count(device) == 0) return false;
    controls_.push_back({control_code, {input, input + input_size}, output_size});
    const auto answer = static_cast<std::uint32_t>(answer_.size());
    *returned = refuse_controls_ ? 0 : std::min(answer, output_size);
    std::copy_n(answer_.begin(), *returned, output);
    return !refuse_controls_;
  }
  void Close(platform::DeviceHandle device) override {
    log_.push_back(open_.erase(device) == 1 ? "close" : "close of a closed handle");
  }

  // Without the device (no driver loaded) every open fails.
  void SetPresent(bool present) { present_ = present; }
  // Bytes copied into the output of every accepted request (as many as fit).
  void SetAnswer(std::vector<std::uint8_t> answer) { answer_ = std::move(answer); }
  // The driver refuses control requests: it returns false and writes nothing.
  void RefuseControls(bool refuse) { refuse_controls_ = refuse; }

  // Every call: "open NAME", "control", "close", or a line naming a misuse.
  const std::vector<std::string>& Log() const { return log_; }
  const std::vector<ControlCall>& Controls() const { return controls_; }

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
