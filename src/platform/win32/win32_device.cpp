#include "platform/win32/win32_device.h"

#include <windows.h>

namespace keylark::platform::win32 {
namespace {

HANDLE ToHandle(DeviceHandle device) { return reinterpret_cast<HANDLE>(device); }

DeviceHandle FromHandle(HANDLE handle) { return reinterpret_cast<DeviceHandle>(handle); }

}  // namespace

std::optional<DeviceHandle> Win32Device::OpenExisting(const std::string& name) {
  // Read access is all a control request with FILE_READ_ACCESS needs; the
  // sharing lets other programs keep the driver open at the same time.
  const HANDLE handle = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  return FromHandle(handle);
}

bool Win32Device::Control(DeviceHandle device, std::uint32_t control_code,
                          const std::uint8_t* input, std::uint32_t input_size, std::uint8_t* output,
                          std::uint32_t output_size, std::uint32_t* returned) {
  DWORD count = 0;
  // DeviceIoControl declares its input buffer non-const but only reads it.
  const BOOL accepted =
      DeviceIoControl(ToHandle(device), control_code, const_cast<std::uint8_t*>(input), input_size,
                      output, output_size, &count, nullptr);
  if (returned != nullptr) *returned = count;
  return accepted != FALSE;
}

void Win32Device::Close(DeviceHandle device) { CloseHandle(ToHandle(device)); }

}  // namespace keylark::platform::win32
