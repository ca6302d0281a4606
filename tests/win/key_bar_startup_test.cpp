// Start-up, single instance and shut-down of the real Keylark.exe.
#include <gtest/gtest.h>

#include "keylark_process.h"

namespace keylark::wintest {
namespace {

using KeyBarStartup = KeyBarTest;

TEST_F(KeyBarStartup, FirstStartWritesTheDefaultsAndPublishesTheHandle) {
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  EXPECT_EQ(FindWindowA("KeylarkKeyBar", "Keylark"), key_bar);
  EXPECT_EQ(Raw(layout::kMaker, "Keylark").value_or(store::Bytes()).size(), 4U) << "a DWORD";

  // The first-run values are the start-up's decision (native tests); here,
  // that the window sits a fifth into the free space (15 twips a pixel) and
  // keeps its size.
  RECT rect{};
  GetWindowRect(key_bar, &rect);
  const auto first_run = [](LONG screen, LONG size) { return ((screen - size) * 6 + 15) / 30; };
  EXPECT_EQ(rect.left, first_run(GetSystemMetrics(SM_CXSCREEN), rect.right - rect.left));
  EXPECT_EQ(rect.top, first_run(GetSystemMetrics(SM_CYSCREEN), rect.bottom - rect.top));
  EXPECT_EQ(rect.right - rect.left, 318);
  EXPECT_EQ(rect.bottom - rect.top,
            160 + 5 + GetSystemMetrics(SM_CYMENU) + GetSystemMetrics(SM_CYSIZE));
  SetWindowPos(key_bar, nullptr, 40, 30, 500, 400, SWP_NOZORDER);
  RECT after{};
  GetWindowRect(key_bar, &after);
  EXPECT_EQ(after.right - after.left, rect.right - rect.left);
  EXPECT_EQ(after.bottom - after.top, rect.bottom - rect.top);

  // Closing withdraws the handle and stores where the key bar was.
  ASSERT_TRUE(keylark_.Close());
  EXPECT_FALSE(Raw(layout::kMaker, "Keylark"));
  EXPECT_EQ(Raw(layout::kCfg, "X"), (store::Bytes{'6', '0', '0', 0, 0}));
  EXPECT_EQ(Raw(layout::kCfg, "Y"), (store::Bytes{'4', '5', '0', 0, 0}));
}

TEST_F(KeyBarStartup, ASecondStartWakesTheHiddenKeyBarAndLeavesNoWindow) {
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  ShowWindow(key_bar, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(key_bar); })) << "minimizing hides it";
  Program second;
  ASSERT_TRUE(second.Start());
  EXPECT_TRUE(second.WaitForExit(std::chrono::seconds(2)));
  EXPECT_TRUE(WaitFor([&] {
    return IsWindowVisible(key_bar) && !IsIconic(key_bar) && GetForegroundWindow() == key_bar;
  })) << "restored and in front";
  EXPECT_EQ(PublishedKeyBar(), key_bar);
  EXPECT_EQ(FindWindowExA(nullptr, key_bar, "KeylarkKeyBar", nullptr), nullptr);
}

}  // namespace
}  // namespace keylark::wintest
