// The device seam over the real Win32 calls, on a system without the
// notebook's driver; what ZOZIV makes of a failed open is tested natively.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/win32_device.h"

namespace keylark::platform {
namespace {

// A device that does exist but does not know the control code: the seam
// opens it, reports the refusal and closes it again.
TEST(ZozivDevice, TheSeamOpensAnExistingDeviceAndReportsARefusedRequest) {
  win32::Win32Device device;
  EXPECT_FALSE(device.OpenExisting("\\\\.\\ZOZIV"));

  const auto handle = device.OpenExisting("\\\\.\\NUL");
  ASSERT_TRUE(handle) << "GetLastError " << GetLastError();
  std::uint8_t request[33] = {163};
  std::uint8_t answer[32] = {};
  std::uint32_t returned = 99;
  EXPECT_FALSE(device.Control(*handle, 0x9C406400, request, sizeof request, answer, sizeof answer,
                              &returned));
  EXPECT_EQ(returned, 0U);
  device.Close(*handle);
}

}  // namespace
}  // namespace keylark::platform
