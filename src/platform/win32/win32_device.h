// The device seam over CreateFileA, DeviceIoControl and CloseHandle.
#pragma once

#include "platform/device.h"

namespace keylark::platform::win32 {

class Win32Device final : public Device {
 public:
  std::optional<DeviceHandle> OpenExisting(const std::string& name) override;
  bool Control(DeviceHandle device, std::uint32_t control_code, const std::uint8_t* input,
               std::uint32_t input_size, std::uint8_t* output, std::uint32_t output_size,
               std::uint32_t* returned) override;
  void Close(DeviceHandle device) override;
};

}  // namespace keylark::platform::win32
