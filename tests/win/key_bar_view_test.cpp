// The running key bar: what it shows, read from the pixels of its window, and
// its start-up, single instance and shut-down.

#include "app/key_bar_layout.h"
#include "core/window_messages.h"
#include "keylark_process.h"
#include "resource.h"

namespace keylark::wintest {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kReserved = RGB(132, 134, 165);
constexpr COLORREF kRed = RGB(255, 0, 0);

// The red corner drawn in the top left of a popup key's label.
bool HasPopupMark(const Pixels& pixels, HWND window, int index) {
  const app::LabelPosition& p = app::kLabelPositions[static_cast<std::size_t>(index)];
  RECT client{};
  GetClientRect(window, &client);
  const auto red = [&](int x, int y) {
    return pixels[static_cast<std::size_t>((p.top + y) * client.right + p.left + x)] == kRed;
  };
  return red(0, 0) && red(5, 0) && red(0, 5) && red(1, 4) && !red(5, 1) && !red(6, 0);
}

bool WaitForPixels(HWND window, const std::function<bool(const Pixels&)>& condition) {
  return WaitFor([&] { return condition(CaptureClient(window)); });
}

// Keys 1 (direct), A and C (popup lists), B (a reserved popup key), Z
// (reserved), the rest unassigned; marks on, hints off.
class KeyBarView : public KeyBarTest {
 protected:
  void SetUp() override {
    KeyBarTest::SetUp();
    Put(layout::kCmd, "Fn-1", "C:\\Tools\\run.exe");
    Put(layout::kCmd, "Fn-A", "@C:\\Menu\\Games");
    Put(layout::kCmd, "Fn-C", "@C:\\Menu\\Office");
    Put(layout::kCmd, "Fn-B", "@C:\\Menu\\Reserved");
    Reserve("B");
    Reserve("Z");
    Put(layout::kCfg, "opts2", "1");
    Put(layout::kCfg, "opts4", "0");
    // Painted once the picture's cap colour shows under label "1".
    key_bar_ = StartKeyBar();
    ASSERT_NE(key_bar_, nullptr);
    SetForegroundWindow(key_bar_);
    WaitForPixels(key_bar_, [&](const Pixels& p) {
      return LabelPixels(p, key_bar_, 0, RGB(107, 105, 148)) > 0;
    });
  }
  HWND key_bar_ = nullptr;
};

TEST_F(KeyBarView, LabelsShowTheirStateInColourAndPopupKeysCarryAMark) {
  const Pixels pixels = CaptureClient(key_bar_);
  const struct {
    int label;
    COLORREF colour;
    bool shown;
    const char* why;
  } cases[] = {
      {0, kCyan, true, "Fn-1 assigned"},      {6, kCyan, true, "Fn-A popup"},
      {7, kReserved, true, "Fn-B reserved"},  {7, kCyan, false, "reserved beats assigned"},
      {23, kReserved, true, "Fn-Z reserved"}, {10, kWhite, true, "Fn-E unassigned"},
      {10, kCyan, false, "Fn-E unassigned"},  {10, kRed, false, "Fn-E has no mark"},
  };
  for (const auto& c : cases) {
    const int count = LabelPixels(pixels, key_bar_, c.label, c.colour);
    EXPECT_TRUE(c.shown ? count > 5 : count == 0) << c.why << ": " << count;
  }
  EXPECT_TRUE(HasPopupMark(pixels, key_bar_, 6)) << "Fn-A";
  EXPECT_TRUE(HasPopupMark(pixels, key_bar_, 8)) << "Fn-C";
  EXPECT_TRUE(HasPopupMark(pixels, key_bar_, 7)) << "a reserved popup key keeps its mark";
  EXPECT_FALSE(HasPopupMark(pixels, key_bar_, 0)) << "a direct key has none";
}

TEST_F(KeyBarView, MarksFollowTheOptionWhetherDrawnHiddenShownOrRecoloured) {
  ShowWindow(key_bar_, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(key_bar_); }));
  PostMessageA(key_bar_, WM_COMMAND, IDM_POPUPS, 0);  // off
  PostMessageA(key_bar_, WM_COMMAND, IDM_POPUPS, 0);  // on again: drawn while hidden
  ASSERT_TRUE(WaitFor([&] { return Text(layout::kCfg, "opts2") == "1"; }));
  ShowWindow(key_bar_, SW_RESTORE);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(key_bar_) != FALSE; }));
  EXPECT_TRUE(
      WaitForPixels(key_bar_, [&](const Pixels& p) { return HasPopupMark(p, key_bar_, 6); }));

  PostMessageA(key_bar_, WM_COMMAND, IDM_POPUPS, 0);  // off while shown
  EXPECT_TRUE(WaitForPixels(key_bar_, [&](const Pixels& p) {
    return !HasPopupMark(p, key_bar_, 6) && LabelPixels(p, key_bar_, 8, kRed) == 0 &&
           LabelPixels(p, key_bar_, 6, kCyan) > 5;
  }));
  // Recoloured from the store (as after keylarkctl), the marks stay off.
  SendAndWait(key_bar_, core::StoreChangedMessage, 0, 0);
  UpdateWindow(key_bar_);  // painted before it is looked at
  EXPECT_FALSE(HasPopupMark(CaptureClient(key_bar_), key_bar_, 6));
}

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
