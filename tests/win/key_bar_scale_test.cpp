// The key bar at 150 and 200 % display scaling, with "Scale With Display" off
// (the keyboard keeps its pixels; the menu bar may wrap) and on (everything
// scaled): what shows, and where a real click lands.

#include "app/key_bar_geometry.h"
#include "keylark_process.h"
#include "resource.h"

namespace keylark::wintest {
namespace {

constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kCap = RGB(107, 105, 148);
constexpr int kLabelN = 14;
constexpr int kLabel1 = 0;
constexpr const char* kDesktop = "Control Panel\\Desktop";

class KeyBarScale : public KeyBarTest {
 protected:
  void SetUp() override {
    KeyBarTest::SetUp();
    DWORD size = sizeof saved_dpi_;
    had_dpi_ = RegGetValueA(HKEY_CURRENT_USER, kDesktop, "LogPixels", RRF_RT_REG_DWORD, nullptr,
                            &saved_dpi_, &size) == ERROR_SUCCESS;
  }
  void TearDown() override {
    KeyBarTest::TearDown();
    if (had_dpi_) {
      SetDpi(static_cast<int>(saved_dpi_));
    } else {
      RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktop, "LogPixels");
    }
  }
  static void SetDpi(int dpi) {
    const DWORD value = static_cast<DWORD>(dpi);
    RegSetKeyValueA(HKEY_CURRENT_USER, kDesktop, "LogPixels", REG_DWORD, &value, sizeof value);
  }

  // Fn-1 and Fn-N assigned (Fn-N a popup key with its mark), started at a
  // resolution and shown once its picture is painted.
  HWND StartAt(int dpi, bool scaled) {
    SetDpi(dpi);
    Assign("Fn-1", TargetProgram(), "0");
    Put(layout::kCmd, "Fn-N", "@C:\\Menu");
    Put(layout::kCfg, "opts2", "1");
    Put(layout::kCfg, "ScaleWithDisplay", scaled ? "1" : "0");
    geometry_ = app::KeyBarGeometry::For(dpi, scaled);
    HWND key_bar = StartKeyBar();
    if (key_bar == nullptr) return nullptr;
    SetForegroundWindow(key_bar);
    WaitFor([&] { return Count(CaptureClient(key_bar), key_bar, kLabel1, kCap) > 0; });
    return key_bar;
  }

  // Pixels of a colour in a label's box as the geometry places it, and the
  // height of the rows that hold any.
  int Count(const Pixels& pixels, HWND key_bar, int index, COLORREF colour, int* rows = nullptr) {
    RECT client{};
    GetClientRect(key_bar, &client);
    const app::PixelBox box = geometry_.Label(index);
    int count = 0, first = -1, last = -1;
    for (int y = box.top; y < std::min<int>(box.bottom, client.bottom); ++y) {
      for (int x = box.left; x < std::min<int>(box.right, client.right); ++x) {
        if (pixels[static_cast<std::size_t>(y * client.right + x)] != colour) continue;
        ++count;
        if (first < 0) first = y;
        last = y;
      }
    }
    if (rows != nullptr) *rows = first < 0 ? 0 : last - first + 1;
    return count;
  }

  // A real click of the mouse at the centre of a label.
  void ClickLabel(HWND key_bar, int index) {
    const app::PixelBox box = geometry_.Label(index);
    POINT at{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    ClientToScreen(key_bar, &at);
    SetCursorPos(at.x, at.y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  }

  app::KeyBarGeometry geometry_ = app::KeyBarGeometry::For(96, false);
  DWORD saved_dpi_ = 96;
  bool had_dpi_ = false;
};

TEST_F(KeyBarScale, AtDoubleResolutionAWrappedMenuBarLeavesTheWholeKeyboardToClick) {
  LaunchLog log;
  Assign("Fn-N", TargetProgram(), "0");
  SetDpi(192);
  HWND key_bar = StartKeyBar();
  ASSERT_NE(key_bar, nullptr);
  SetForegroundWindow(key_bar);
  RECT client{};
  GetClientRect(key_bar, &client);
  // As at 96 dpi: the picture but for its last two rows, the space bar's.
  EXPECT_GE(client.bottom, app::kPictureHeight - 2);
  RECT outer{};
  GetWindowRect(key_bar, &outer);
  EXPECT_EQ(outer.right - outer.left, app::kPictureWidth) << "the design's width";
  ClickLabel(key_bar, kLabelN);
  EXPECT_TRUE(log.WaitForStarts(1)) << "Fn-N, in the bottom row";
}

TEST_F(KeyBarScale, ScaledTheLabelsMarksAndClicksFollowTheResolution) {
  for (const int dpi : {144, 192}) {
    SCOPED_TRACE(dpi);
    LaunchLog log;
    HWND key_bar = StartAt(dpi, true);
    ASSERT_NE(key_bar, nullptr);
    RECT client{};
    GetClientRect(key_bar, &client);
    EXPECT_GE(client.right, geometry_.Label(kLabelN).right);
    EXPECT_GE(client.bottom, geometry_.PictureHeight() - 2);

    const Pixels pixels = CaptureClient(key_bar);
    const app::PixelBox box = geometry_.Label(kLabel1);
    int rows = 0;
    EXPECT_GT(Count(pixels, key_bar, kLabel1, kCyan, &rows), 8 * dpi / 96);
    // 12 points at this resolution: the digit stands about half the label high.
    EXPECT_GE(rows * 100 / box.Height(), 42) << rows << " of " << box.Height();
    EXPECT_GT(Count(pixels, key_bar, kLabelN, kCyan), 8 * dpi / 96);
    const app::PixelBox n = geometry_.Label(kLabelN);
    const int mark = geometry_.PopupMarkSize();
    const auto at = [&](int x, int y) {
      return pixels[static_cast<std::size_t>((n.top + y) * client.right + n.left + x)];
    };
    EXPECT_TRUE(at(0, 0) == kRed && at(mark - 1, 0) == kRed && at(0, mark - 1) == kRed);
    EXPECT_TRUE(at(mark, 0) != kRed && at(mark - 1, 1) != kRed) << "a triangle of " << mark;

    ClickLabel(key_bar, kLabel1);
    EXPECT_TRUE(log.WaitForStarts(1)) << "Fn-1 at its scaled place";
    log.EndAll();
    ASSERT_TRUE(keylark_.Close());
  }
}

TEST_F(KeyBarScale, OffTheLabelsKeepTheirPixelsAndTheOptionRelaysOutAtOnce) {
  HWND key_bar = StartAt(144, false);
  ASSERT_NE(key_bar, nullptr);
  const app::PixelBox design = geometry_.Label(kLabel1);
  EXPECT_EQ(design.Width(), 24);
  const auto width = [&] {
    RECT outer{};
    GetWindowRect(key_bar, &outer);
    return outer.right - outer.left;
  };
  EXPECT_EQ(width(), 318);
  Pixels pixels = CaptureClient(key_bar);
  RECT client{};
  GetClientRect(key_bar, &client);
  const auto cap_at = [&](int x, int y) {
    return pixels[static_cast<std::size_t>(y * client.right + x)] == kCap;
  };
  EXPECT_TRUE(cap_at(design.right - 1, design.top + 1) && !cap_at(design.right, design.top + 1))
      << "the cap ends where the 24-pixel label does";

  PostMessageA(key_bar, WM_COMMAND, IDM_SCALE, 0);
  ASSERT_TRUE(WaitFor([&] { return width() == 477; })) << "scaled by one and a half";
  EXPECT_EQ(Text(layout::kCfg, "ScaleWithDisplay"), "1");
  geometry_ = app::KeyBarGeometry::For(144, true);
  EXPECT_TRUE(WaitFor([&] { return Count(CaptureClient(key_bar), key_bar, kLabelN, kRed) > 20; }))
      << "the marks drawn again at the new size";
  PostMessageA(key_bar, WM_COMMAND, IDM_SCALE, 0);
  EXPECT_TRUE(WaitFor([&] { return width() == 318; }));
  EXPECT_EQ(Text(layout::kCfg, "ScaleWithDisplay"), "0");
  // Set from a script, the option shows at once as well.
  ASSERT_EQ(RunToEnd("keylarkctl.exe", "options scale-with-display on").exit_code, 0U);
  EXPECT_TRUE(WaitFor([&] { return width() == 477; }));
}

}  // namespace
}  // namespace keylark::wintest
