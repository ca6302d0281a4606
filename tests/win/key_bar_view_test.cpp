// What the running key bar shows and how its menu acts, observed from outside
// as a user would: pixels of its window, the registry, messages.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "app/key_bar_layout.h"
#include "core/window_messages.h"
#include "keylark_process.h"
#include "launch_log.h"
#include "resource.h"

namespace keylark::wintest {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kReserved = RGB(132, 134, 165);
constexpr COLORREF kRed = RGB(255, 0, 0);

COLORREF PixelAt(const Pixels& pixels, HWND window, int x, int y) {
  RECT client{};
  GetClientRect(window, &client);
  return pixels[static_cast<std::size_t>(y * client.right + x)];
}

bool HasPopupMark(const Pixels& pixels, HWND window, int index) {
  const app::LabelPosition& p = app::kLabelPositions[static_cast<std::size_t>(index)];
  const int l = p.left;
  const int t = p.top;
  return PixelAt(pixels, window, l, t) == kRed && PixelAt(pixels, window, l + 5, t) == kRed &&
         PixelAt(pixels, window, l, t + 5) == kRed &&
         PixelAt(pixels, window, l + 1, t + 4) == kRed &&
         PixelAt(pixels, window, l + 5, t + 1) != kRed && PixelAt(pixels, window, l + 6, t) != kRed;
}

// The most common colour of a box of a captured window, and how many of its
// pixels have another colour.
std::pair<COLORREF, int> Background(const Pixels& pixels, int width, RECT box) {
  std::map<COLORREF, int> counts;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x)
      ++counts[pixels[static_cast<std::size_t>(y * width + x)]];
  }
  std::pair<COLORREF, int> most{0, 0};
  int total = 0;
  for (const auto& [colour, count] : counts) {
    total += count;
    if (count > most.second) most = {colour, count};
  }
  return {most.first, total - most.second};
}

bool HasDrawingIn(const Pixels& pixels, int width, RECT box) {
  return Background(pixels, width, box).second > 3;
}

// Opens the Options menu as Alt+O does and tells which of its five items show
// a check mark in the column left of their texts.
std::vector<bool> OptionsMenuChecks(HWND key_bar, DWORD process) {
  constexpr int kItems = 5;
  PostMessageA(key_bar, WM_SYSCOMMAND, SC_KEYMENU, 'o');
  HWND menu = nullptr;
  WaitFor([&] { return (menu = TopLevelWindowOf(process, "#32768")) != nullptr; });
  std::vector<bool> checks;
  if (menu == nullptr) return checks;
  RECT client{};
  GetClientRect(menu, &client);
  // Painted once the menu's own background shows.
  WaitFor([&] {
    const Pixels pixels = CaptureClient(menu);
    if (Background(pixels, client.right, client).first != GetSysColor(COLOR_MENU)) return false;
    const int row = client.bottom / kItems;
    checks.clear();
    bool all_texts = true;
    for (int i = 0; i < kItems; ++i) {
      const LONG top = i * row + row / 4;
      const LONG bottom = i * row + row * 3 / 4;
      checks.push_back(HasDrawingIn(pixels, client.right, RECT{3, top, 17, bottom}));
      all_texts = all_texts && HasDrawingIn(pixels, client.right, RECT{22, top, 90, bottom});
    }
    return all_texts;
  });
  PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  WaitFor([&] { return TopLevelWindowOf(process, "#32768") == nullptr; });
  return checks;
}

// Waits until the key bar has painted what a condition asks for.
bool WaitForPixels(HWND window, const std::function<bool(const Pixels&)>& condition) {
  return WaitFor([&] { return condition(CaptureClient(window)); });
}

bool IsTopmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

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
  }

  // Starts the key bar and waits until the picture's cap colour shows under label "1".
  HWND StartPainted(KeylarkProcess& keylark) {
    if (!keylark.Start()) return nullptr;
    HWND key_bar = keylark.WaitForKeyBar();
    if (key_bar != nullptr) {
      SetForegroundWindow(key_bar);
      WaitForPixels(key_bar, [&](const Pixels& p) {
        return LabelPixels(p, key_bar, 0, RGB(107, 105, 148)) > 0;
      });
    }
    return key_bar;
  }
};

TEST_F(KeyBarView, LabelsShowTheirStateInColourAndPopupKeysCarryAMark) {
  HWND key_bar = StartPainted(keylark_);
  ASSERT_NE(key_bar, nullptr);
  const Pixels pixels = CaptureClient(key_bar);

  EXPECT_GT(LabelPixels(pixels, key_bar, 0, kCyan), 5) << "Fn-1 assigned";
  EXPECT_GT(LabelPixels(pixels, key_bar, 6, kCyan), 5) << "Fn-A popup";
  EXPECT_GT(LabelPixels(pixels, key_bar, 7, kReserved), 5) << "Fn-B reserved beats assigned";
  EXPECT_EQ(LabelPixels(pixels, key_bar, 7, kCyan), 0);
  EXPECT_GT(LabelPixels(pixels, key_bar, 23, kReserved), 5) << "Fn-Z reserved";
  EXPECT_GT(LabelPixels(pixels, key_bar, 10, kWhite), 5) << "Fn-E unassigned";
  EXPECT_EQ(LabelPixels(pixels, key_bar, 10, kCyan), 0);

  EXPECT_TRUE(HasPopupMark(pixels, key_bar, 6)) << "Fn-A";
  EXPECT_TRUE(HasPopupMark(pixels, key_bar, 8)) << "Fn-C";
  EXPECT_TRUE(HasPopupMark(pixels, key_bar, 7)) << "a reserved popup key keeps its mark";
  EXPECT_FALSE(HasPopupMark(pixels, key_bar, 0)) << "a direct key has none";
  EXPECT_EQ(LabelPixels(pixels, key_bar, 10, kRed), 0);
}

// Three starts, each option on in one and off in another, and no two options
// alike in all three: an option read, shown or toggled in place of another
// shows in the check marks, the stored values or the window's topmost state.
TEST_F(KeyBarView, TheOptionsMenuShowsAndFlipsWhatIsStored) {
  const char* const names[] = {"opts1", "opts2", "opts3", "opts4", "opts5"};
  const UINT items[] = {IDM_TOP, IDM_POPUPS, IDM_MINIMIZE, IDM_HINTS, IDM_CONFIRM};
  const std::vector<bool> patterns[] = {{true, false, true, false, false},
                                        {false, true, true, false, true},
                                        {false, false, false, true, true}};
  for (const std::vector<bool>& pattern : patterns) {
    // "1 " is off as well: only exactly "1" is on.
    for (std::size_t i = 0; i < 5; ++i) Put(layout::kCfg, names[i], pattern[i] ? "1" : "1 ");
    KeylarkProcess keylark;
    HWND key_bar = StartPainted(keylark);
    ASSERT_NE(key_bar, nullptr);
    EXPECT_EQ(OptionsMenuChecks(key_bar, keylark.ProcessId()), pattern);
    EXPECT_EQ(IsTopmost(key_bar), pattern[0]);

    std::vector<bool> flipped;
    for (std::size_t i = 0; i < 5; ++i) {
      PostMessageA(key_bar, WM_COMMAND, items[i], 0);
      flipped.push_back(!pattern[i]);
    }
    const auto stored = [&] {
      std::vector<bool> on;
      for (const char* name : names) on.push_back(Text(layout::kCfg, name) == "1");
      return on;
    };
    EXPECT_TRUE(WaitFor([&] { return stored() == flipped; }));
    for (const char* name : names) EXPECT_EQ(Text(layout::kCfg, name).size(), 1U) << name;
    EXPECT_EQ(OptionsMenuChecks(key_bar, keylark.ProcessId()), flipped);
    EXPECT_EQ(IsTopmost(key_bar), flipped[0]);
  }
}

TEST_F(KeyBarView, MarksFollowTheOptionWhetherDrawnHiddenShownOrRecoloured) {
  HWND key_bar = StartPainted(keylark_);
  ASSERT_NE(key_bar, nullptr);
  ShowWindow(key_bar, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(key_bar); }));
  PostMessageA(key_bar, WM_COMMAND, IDM_POPUPS, 0);  // off
  PostMessageA(key_bar, WM_COMMAND, IDM_POPUPS, 0);  // on again: drawn while hidden
  ASSERT_TRUE(WaitFor([&] { return Text(layout::kCfg, "opts2") == "1"; }));
  ShowWindow(key_bar, SW_RESTORE);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(key_bar) != FALSE; }));
  EXPECT_TRUE(WaitForPixels(key_bar, [&](const Pixels& p) { return HasPopupMark(p, key_bar, 6); }));

  PostMessageA(key_bar, WM_COMMAND, IDM_POPUPS, 0);  // off while shown
  EXPECT_TRUE(WaitForPixels(key_bar, [&](const Pixels& p) {
    return !HasPopupMark(p, key_bar, 6) && LabelPixels(p, key_bar, 8, kRed) == 0 &&
           LabelPixels(p, key_bar, 6, kCyan) > 5;
  }));
  // Recoloured from the store (as after keylarkctl), the marks stay off.
  DWORD_PTR result = 0;
  SendMessageTimeoutA(key_bar, core::StoreChangedMessage, 0, 0, SMTO_NORMAL, 10000, &result);
  UpdateWindow(key_bar);  // painted before it is looked at
  EXPECT_FALSE(HasPopupMark(CaptureClient(key_bar), key_bar, 6));
}

}  // namespace
}  // namespace keylark::wintest
