// Start-up, single instance and shut-down of the real Keylark.exe.
#include <gtest/gtest.h>

#include "keylark_process.h"

namespace keylark::wintest {
namespace {

using store::Bytes;

// Position text as the key bar writes it: always five bytes, padded with NULs.
Bytes Position(const std::string& text) {
  Bytes data(5, 0);
  for (std::size_t i = 0; i < text.size() && i < 5; ++i)
    data[i] = static_cast<std::uint8_t>(text[i]);
  return data;
}

// Where a window of this size goes on first run: a fifth of the free space,
// stored in twips (15 a pixel here, so exact) and shown in pixels.
POINT FirstRunPixels(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  const LONG twips_x = (GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)) * 15 / 5;
  const LONG twips_y = (GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)) * 15 / 5;
  return POINT{(twips_x * 2 + 15) / 30, (twips_y * 2 + 15) / 30};
}

std::pair<LONG, LONG> Origin(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {rect.left, rect.top};
}

using KeyBarStartup = KeyBarTest;

TEST_F(KeyBarStartup, FirstStartWritesTheDefaultsAndPublishesTheHandle) {
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  EXPECT_EQ(FindWindowA("KeylarkKeyBar", "Keylark"), key_bar);
  DWORD type = 0;
  HKEY maker = nullptr;
  ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, layout::kMaker, &maker), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExA(maker, "Keylark", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
  RegCloseKey(maker);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));

  // The first-run values themselves are the start-up's decision (native
  // tests); here, that the window is where they say.
  const POINT pixels = FirstRunPixels(key_bar);
  EXPECT_EQ(Origin(key_bar), std::make_pair(pixels.x, pixels.y));

  // Closing withdraws the handle and stores where the key bar was.
  SetWindowPos(key_bar, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_TRUE(keylark_.Close());
  EXPECT_FALSE(Raw(layout::kMaker, "Keylark"));
  EXPECT_EQ(Raw(layout::kCfg, "X"), Position("600"));
  EXPECT_EQ(Raw(layout::kCfg, "Y"), Position("450"));
}

TEST_F(KeyBarStartup, ASecondStartWakesTheHiddenKeyBarAndLeavesNoWindow) {
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  ShowWindow(key_bar, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(key_bar); })) << "minimizing hides it";

  KeylarkProcess second;
  ASSERT_TRUE(second.Start());
  EXPECT_TRUE(second.WaitForExit(std::chrono::seconds(2)));
  EXPECT_TRUE(WaitFor([&] {
    return IsWindowVisible(key_bar) && !IsIconic(key_bar) && GetForegroundWindow() == key_bar;
  })) << "restored and in front";
  EXPECT_EQ(PublishedKeyBar(), key_bar) << "the resident instance keeps its handle";
  EXPECT_EQ(FindWindowExA(nullptr, key_bar, "KeylarkKeyBar", nullptr), nullptr)
      << "only one key bar exists";
}

TEST_F(KeyBarStartup, TheKeyBarKeepsItsSize) {
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  RECT before{};
  GetWindowRect(key_bar, &before);
  EXPECT_EQ(before.right - before.left, 318);
  EXPECT_EQ(before.bottom - before.top,
            160 + 5 + GetSystemMetrics(SM_CYMENU) + GetSystemMetrics(SM_CYSIZE));
  SetWindowPos(key_bar, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
  RECT after{};
  GetWindowRect(key_bar, &after);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

}  // namespace
}  // namespace keylark::wintest
