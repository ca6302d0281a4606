// The ZOZIV class over the real Win32 device calls, on a system that has no
// such driver: it must report the failed open and keep working.
#include <windows.h>

#include <gtest/gtest.h>

#include "device/zoziv.h"
#include "platform/win32/win32_device.h"

namespace keylark::device {
namespace {

TEST(ZozivDevice, WithoutTheDriverRequestsFailAndTheFixedPropertiesRecover) {
  platform::win32::Win32Device win32_device;
  ZOZIV zoziv(win32_device);

  EXPECT_EQ(zoziv.Brightness(), 0);
  EXPECT_EQ(zoziv.DeviceStatus(), -1);
  EXPECT_EQ(zoziv.AbleToRunHWSetup(), 1);
  EXPECT_EQ(zoziv.DeviceStatus(), 0);

  EXPECT_EQ(zoziv.BIOSVersion(), "");
  EXPECT_EQ(zoziv.DeviceStatus(), -1);
  zoziv.SetTouchPad(std::uint8_t{1});
  EXPECT_EQ(zoziv.DeviceStatus(), -1);
}

// A device that does exist but does not know the control code: the seam
// opens it, reports the refusal and closes it again.
TEST(ZozivDevice, TheSeamOpensAnExistingDeviceAndReportsARefusedRequest) {
  platform::win32::Win32Device win32_device;
  EXPECT_FALSE(win32_device.OpenExisting("\\\\.\\ZOZIV"));

  const auto handle = win32_device.OpenExisting("\\\\.\\NUL");
  ASSERT_TRUE(handle) << "GetLastError " << GetLastError();
  std::uint8_t request[33] = {163};
  std::uint8_t answer[32] = {};
  std::uint32_t returned = 99;
  EXPECT_FALSE(win32_device.Control(*handle, 0x9C406400, request, sizeof request, answer,
                                    sizeof answer, &returned));
  EXPECT_EQ(returned, 0U);
  win32_device.Close(*handle);
}

}  // namespace
}  // namespace keylark::device
