// The key bar at 150 and 200 % display scaling, with "Scale With Display" off
// (the keyboard keeps its pixels; the menu bar may wrap) and on: what shows,
// and where a real click lands.

#include "app/key_bar_geometry.h"
#include "keylark_process.h"
#include "resource.h"

namespace keylark::wintest {
namespace {

constexpr int kLabelB = 7;
constexpr int kLabelN = 14;
constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

void SetDpi(DWORD dpi) {
  RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi,
                  sizeof dpi);
}

int Width(HWND window) {
  RECT outer{};
  GetWindowRect(window, &outer);
  return outer.right - outer.left;
}

// Fn-N (bottom row) starts the launch target, Fn-B pops up a list (marked).
class KeyBarScale : public KeyBarTest {
 protected:
  void TearDown() override {
    KeyBarTest::TearDown();
    SetDpi(96);
  }
  HWND StartAt(int dpi, bool scaled) {
    SetDpi(static_cast<DWORD>(dpi));
    Assign("Fn-N", TargetProgram(), "0");
    Put(layout::kCmd, "Fn-B", "@C:\\Menu");
    Put(layout::kCfg, "opts2", "1");
    Put(layout::kCfg, "ScaleWithDisplay", scaled ? "1" : "0");
    g_ = app::KeyBarGeometry::For(dpi, scaled);
    HWND key_bar = StartKeyBar();
    if (key_bar != nullptr) SetForegroundWindow(key_bar);
    WaitFor([&] { return Rows(key_bar, kLabelN, kCyan) > 0; });  // painted
    return key_bar;
  }
  // How many rows of a label hold a pixel of the colour.
  int Rows(HWND key_bar, int index, COLORREF colour) const {
    const Pixels pixels = CaptureClient(key_bar);
    RECT client{};
    GetClientRect(key_bar, &client);
    const app::PixelBox box = g_.Label(index);
    int rows = 0;
    for (int y = box.top; y < std::min<int>(box.bottom, client.bottom); ++y) {
      for (int x = box.left; x < box.right; ++x) {
        if (pixels[static_cast<std::size_t>(y * client.right + x)] != colour) continue;
        ++rows;
        break;
      }
    }
    return rows;
  }
  // A real click of the mouse at the centre of a label.
  void ClickLabel(HWND key_bar, int index) const {
    const app::PixelBox box = g_.Label(index);
    POINT at{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    ClientToScreen(key_bar, &at);
    SetCursorPos(at.x, at.y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  }

  app::KeyBarGeometry g_ = app::KeyBarGeometry::For(96, false);
};

// At 192 dpi the menu bar wraps onto a second line: the client area still
// holds the picture, whether it keeps its pixels or is scaled.
TEST_F(KeyBarScale, TheWholeKeyboardShowsAndAClickAtALabelsCentreUsesIt) {
  const std::pair<int, bool> cases[] = {{192, false}, {144, true}, {192, true}};
  for (const auto& [dpi, scaled] : cases) {
    SCOPED_TRACE(std::to_string(dpi) + (scaled ? " scaled" : ""));
    LaunchLog log;
    HWND key_bar = StartAt(dpi, scaled);
    ASSERT_NE(key_bar, nullptr);
    RECT client{};
    GetClientRect(key_bar, &client);
    EXPECT_GE(client.bottom, g_.PictureHeight() - 2) << "as at 96: all but the space bar's rows";
    EXPECT_EQ(Width(key_bar), scaled ? 318 * dpi / 96 : 318);
    // 12 points at this resolution: the letter stands about half the label high.
    if (scaled) {
      EXPECT_GE(Rows(key_bar, kLabelN, kCyan) * 100 / g_.Label(kLabelN).Height(), 42);
    }
    EXPECT_EQ(Rows(key_bar, kLabelB, kRed), scaled ? 6 * dpi / 96 : 6) << "the mark's rows";
    ClickLabel(key_bar, kLabelN);
    EXPECT_TRUE(log.WaitForStarts(1)) << "Fn-N, in the bottom row";
    log.EndAll();
    ASSERT_TRUE(keylark_.Close());
  }
}

TEST_F(KeyBarScale, OffTheLabelsKeepTheirPixelsAndTheOptionRelaysOutAtOnce) {
  HWND key_bar = StartAt(144, false);
  ASSERT_NE(key_bar, nullptr);
  EXPECT_EQ(Rows(key_bar, kLabelB, kRed), 6) << "the design's mark";
  PostMessageA(key_bar, WM_COMMAND, IDM_SCALE, 0);
  ASSERT_TRUE(WaitFor([&] { return Width(key_bar) == 477; })) << "one and a half times";
  g_ = app::KeyBarGeometry::For(144, true);
  EXPECT_TRUE(WaitFor([&] { return Rows(key_bar, kLabelB, kRed) == 9; }));
  PostMessageA(key_bar, WM_COMMAND, IDM_SCALE, 0);
  EXPECT_TRUE(WaitFor([&] { return Width(key_bar) == 318; }));
  // Set from a script, the option shows at once as well.
  ASSERT_EQ(RunToEnd("keylarkctl.exe", "options scale-with-display on").exit_code, 0U);
  EXPECT_TRUE(WaitFor([&] { return Width(key_bar) == 477; }));
}

}  // namespace
}  // namespace keylark::wintest
