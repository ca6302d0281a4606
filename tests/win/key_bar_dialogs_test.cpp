// The windows the key bar's menu opens: the About box (help: help_test.cpp).
#include <gtest/gtest.h>

#include "keylark_process.h"
#include "resource.h"

namespace keylark::wintest {
namespace {

std::string TextOf(HWND window) {
  char text[512] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                      5000, &copied);
  return text;
}

bool Responds(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) != 0;
}

class KeyBarDialogs : public KeyBarTest {
 protected:
  HWND OpenAbout(HWND key_bar) {
    PostMessageA(key_bar, WM_COMMAND, IDM_ABOUT, 0);
    return WaitForDialog("About Keylark");
  }
  bool AboutCloses() { return WaitUntilGone("About Keylark"); }
};

TEST_F(KeyBarDialogs, TheAboutBoxShowsTheBannerClosesWithEscOrEnterAndFollowsAlwaysOnTop) {
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);

  HWND about = OpenAbout(key_bar);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(GetWindow(about, GW_OWNER), nullptr) << "the About box has no owner";
  const std::string banner = TextOf(GetDlgItem(about, IDC_ABOUT_TITLE));
  EXPECT_EQ(banner.rfind("Keylark version 1.00.0001", 0), 0U) << banner;
  EXPECT_NE(banner.find("\r\n\r\nCopyright (C)"), std::string::npos) << banner;
  EXPECT_EQ(GetWindowLongA(about, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  PressKeyIn(about, VK_ESCAPE);
  EXPECT_TRUE(AboutCloses());

  PostMessageA(key_bar, WM_COMMAND, IDM_TOP, 0);
  ASSERT_TRUE(WaitFor([&] { return Text(layout::kCfg, "opts1") == "1"; }));
  about = OpenAbout(key_bar);
  ASSERT_NE(about, nullptr);
  EXPECT_NE(GetWindowLongA(about, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "topmost like the key bar";
  PressKeyIn(about, VK_RETURN);
  EXPECT_TRUE(AboutCloses());
  EXPECT_TRUE(Responds(key_bar));
}

}  // namespace
}  // namespace keylark::wintest
