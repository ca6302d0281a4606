// What the running key bar shows, read from the pixels of its window.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace keylark::wintest
