// A kernel device as the device classes see it: open it by name, send it one
// control request, close it. The Win32 implementation forwards to CreateFileA,
// DeviceIoControl and CloseHandle; tests use an in-memory fake.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace keylark::platform {

// An open device; only ever obtained from Device::OpenExisting.
using DeviceHandle = std::uintptr_t;

class Device {
 public:
  virtual ~Device() = default;

  // Opens an existing device (e.g. "\\.\NAME") for reading, sharing it for
  // reading and writing with others. Nothing when it cannot be opened.
  virtual std::optional<DeviceHandle> OpenExisting(const std::string& name) = 0;

  // Sends one control request: input_size bytes from input, up to output_size
  // bytes back into output, their count in *returned. True when the device
  // accepted the request.
  virtual bool Control(DeviceHandle device, std::uint32_t control_code, const std::uint8_t* input,
                       std::uint32_t input_size, std::uint8_t* output, std::uint32_t output_size,
                       std::uint32_t* returned) = 0;

  virtual void Close(DeviceHandle device) = 0;
};

}  // namespace keylark::platform
