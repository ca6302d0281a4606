// What the running key bar shows and how its menu acts, observed from outside
// as a user would: pixels of its window, the registry, messages.
#include <gtest/gtest.h>

#include <vector>

#include "app/key_bar_layout.h"
#include "keylark_process.h"
#include "resource.h"
#include "store/layout.h"

namespace keylark::wintest {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kReserved = RGB(132, 134, 165);
constexpr COLORREF kRed = RGB(255, 0, 0);

using Pixels = std::vector<COLORREF>;

// The client area's pixels as the screen shows them.
Pixels CaptureClient(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  Pixels pixels;
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) pixels.push_back(GetPixel(dc, x, y));
  }
  ReleaseDC(window, dc);
  return pixels;
}

COLORREF PixelAt(const Pixels& pixels, HWND window, int x, int y) {
  RECT client{};
  GetClientRect(window, &client);
  return pixels[static_cast<std::size_t>(y * client.right + x)];
}

// How many pixels of a label's box have exactly this colour.
int CountInLabel(const Pixels& pixels, HWND window, int index, COLORREF colour) {
  const app::LabelPosition& p = app::kLabelPositions[static_cast<std::size_t>(index)];
  int count = 0;
  for (int y = p.top; y < p.top + app::kLabelSize; ++y) {
    for (int x = p.left; x < p.left + app::kLabelSize; ++x) {
      if (PixelAt(pixels, window, x, y) == colour) ++count;
    }
  }
  return count;
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

void Assign(const std::string& key, const std::string& command) {
  TestStore().WriteText(store::kCommandKey, key, command, store::KeyMode::CreateIfMissing);
}

void Reserve(const char* character) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, store::kReservedKeysKey, &key), ERROR_SUCCESS);
  const DWORD anything = 1;
  RegSetValueExA(key, character, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&anything), 4);
  RegCloseKey(key);
}

// Waits until the key bar has painted what a condition asks for.
bool WaitForPixels(HWND window, const std::function<bool(const Pixels&)>& condition) {
  return WaitFor([&] { return condition(CaptureClient(window)); });
}

class KeyBarView : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    Assign("Fn-1", "C:\\Tools\\run.exe");
    Assign("Fn-A", "@C:\\Menu\\Games");
    Assign("Fn-C", "@C:\\Menu\\Office");
    Assign("Fn-B", "@C:\\Menu\\Reserved");
    Reserve("B");
    Reserve("Z");
  }
  void TearDown() override {
    keylark_.Close();
    ResetStore();
  }

  HWND StartKeyBar() {
    if (!keylark_.Start()) return nullptr;
    HWND key_bar = keylark_.WaitForKeyBar();
    if (key_bar != nullptr) {
      SetForegroundWindow(key_bar);
      // Painted once the picture's cap colour shows under label "1".
      WaitForPixels(key_bar, [&](const Pixels& p) {
        return CountInLabel(p, key_bar, 0, RGB(107, 105, 148)) > 0;
      });
    }
    return key_bar;
  }

  std::string Option(const char* name) {
    return TestStore().ReadText(store::kConfigKey, name).value_or("<absent>");
  }

  KeylarkProcess keylark_;
};

TEST_F(KeyBarView, LabelsShowTheirStateInColourAndPopupKeysCarryAMark) {
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  const Pixels pixels = CaptureClient(key_bar);

  EXPECT_GT(CountInLabel(pixels, key_bar, 0, kCyan), 5) << "Fn-1 assigned";
  EXPECT_GT(CountInLabel(pixels, key_bar, 6, kCyan), 5) << "Fn-A popup";
  EXPECT_GT(CountInLabel(pixels, key_bar, 7, kReserved), 5) << "Fn-B reserved beats assigned";
  EXPECT_EQ(CountInLabel(pixels, key_bar, 7, kCyan), 0);
  EXPECT_GT(CountInLabel(pixels, key_bar, 23, kReserved), 5) << "Fn-Z reserved";
  EXPECT_GT(CountInLabel(pixels, key_bar, 10, kWhite), 5) << "Fn-E unassigned";
  EXPECT_EQ(CountInLabel(pixels, key_bar, 10, kCyan), 0);

  EXPECT_TRUE(HasPopupMark(pixels, key_bar, 6)) << "Fn-A";
  EXPECT_TRUE(HasPopupMark(pixels, key_bar, 8)) << "Fn-C";
  EXPECT_TRUE(HasPopupMark(pixels, key_bar, 7)) << "a reserved popup key keeps its mark";
  EXPECT_FALSE(HasPopupMark(pixels, key_bar, 0)) << "a direct key has none";
  EXPECT_EQ(CountInLabel(pixels, key_bar, 10, kRed), 0);
}

TEST_F(KeyBarView, MarkPopupsTogglesTheMarksAndItsStoredValue) {
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  const Pixels before = CaptureClient(key_bar);
  ASSERT_TRUE(HasPopupMark(before, key_bar, 6));

  PostMessageA(key_bar, WM_COMMAND, IDM_POPUPS, 0);
  EXPECT_TRUE(WaitFor([&] { return Option("opts2") == "0"; }));
  EXPECT_TRUE(
      WaitForPixels(key_bar, [&](const Pixels& p) { return !HasPopupMark(p, key_bar, 6); }));
  const Pixels off = CaptureClient(key_bar);
  EXPECT_EQ(CountInLabel(off, key_bar, 8, kRed), 0);
  EXPECT_GT(CountInLabel(off, key_bar, 6, kCyan), 5) << "the labels stay";

  PostMessageA(key_bar, WM_COMMAND, IDM_POPUPS, 0);
  EXPECT_TRUE(WaitFor([&] { return Option("opts2") == "1"; }));
  EXPECT_TRUE(WaitForPixels(key_bar, [&](const Pixels& p) { return HasPopupMark(p, key_bar, 6); }));
  EXPECT_EQ(CaptureClient(key_bar), before) << "drawing again gives the same picture";
}

TEST_F(KeyBarView, EachOptionItemFlipsItsStoredValue) {
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  const struct {
    UINT id;
    const char* value;
  } items[] = {{IDM_TOP, "opts1"},
               {IDM_POPUPS, "opts2"},
               {IDM_MINIMIZE, "opts3"},
               {IDM_HINTS, "opts4"},
               {IDM_CONFIRM, "opts5"}};
  for (const auto& item : items) {
    const std::string before = Option(item.value);
    const std::string flipped = before == "1" ? "0" : "1";
    PostMessageA(key_bar, WM_COMMAND, item.id, 0);
    EXPECT_TRUE(WaitFor([&] { return Option(item.value) == flipped; })) << item.value;
    PostMessageA(key_bar, WM_COMMAND, item.id, 0);
    EXPECT_TRUE(WaitFor([&] { return Option(item.value) == before; })) << item.value;
  }
}

TEST_F(KeyBarView, AlwaysOnTopMakesTheWindowTopmost) {
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  PostMessageA(key_bar, WM_COMMAND, IDM_TOP, 0);
  EXPECT_TRUE(WaitFor([&] { return (GetWindowLongA(key_bar, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
  EXPECT_EQ(Option("opts1"), "1");
  PostMessageA(key_bar, WM_COMMAND, IDM_TOP, 0);
  EXPECT_TRUE(WaitFor([&] { return (GetWindowLongA(key_bar, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0; }));
}

TEST_F(KeyBarView, MarksDrawnWhileHiddenAreThereWhenItShows) {
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  ShowWindow(key_bar, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(key_bar); }));
  PostMessageA(key_bar, WM_COMMAND, IDM_POPUPS, 0);  // off
  PostMessageA(key_bar, WM_COMMAND, IDM_POPUPS, 0);  // on again: drawn while hidden
  ASSERT_TRUE(WaitFor([&] { return Option("opts2") == "1"; }));
  ShowWindow(key_bar, SW_RESTORE);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(key_bar) != FALSE; }));
  EXPECT_TRUE(WaitForPixels(key_bar, [&](const Pixels& p) { return HasPopupMark(p, key_bar, 6); }));
}

}  // namespace
}  // namespace keylark::wintest
