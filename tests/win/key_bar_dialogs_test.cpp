// The About box the key bar's menu opens.
#include <gtest/gtest.h>

#include "keylark_process.h"
#include "resource.h"

namespace keylark::wintest {
namespace {

using KeyBarDialogs = KeyBarTest;

TEST_F(KeyBarDialogs, TheAboutBoxShowsTheBannerClosesWithEscOrEnterAndFollowsAlwaysOnTop) {
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  for (const bool topmost : {false, true}) {
    if (topmost) {
      PostMessageA(key_bar, WM_COMMAND, IDM_TOP, 0);
      ASSERT_TRUE(WaitFor([&] { return Text(layout::kCfg, "opts1") == "1"; }));
    }
    PostMessageA(key_bar, WM_COMMAND, IDM_ABOUT, 0);
    HWND about = WaitForDialog(IDC_ABOUT_TITLE);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(GetWindow(about, GW_OWNER), nullptr);
    const std::wstring banner = ItemText(about, IDC_ABOUT_TITLE);
    EXPECT_EQ(banner.rfind(L"Keylark version 1.00.0001", 0), 0U);
    EXPECT_NE(banner.find(L"\r\n\r\nCopyright (C)"), std::wstring::npos);
    EXPECT_EQ((GetWindowLongA(about, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, topmost);
    PressKeyIn(about, topmost ? VK_RETURN : VK_ESCAPE);
    EXPECT_TRUE(WaitUntilGone(IDC_ABOUT_TITLE));
  }
  EXPECT_NE(SendMessageTimeoutA(key_bar, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr), 0);
}

}  // namespace
}  // namespace keylark::wintest
