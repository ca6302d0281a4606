// What the key bar does while a dialog is open, driven with real pointer
// input (SendInput): the key a dialog works on stays the one it was opened
// for, whatever the hint does when it comes due, and the About box holds the
// whole program until it closes with Esc or Enter.

#include <thread>

#include "keylark_process.h"
#include "resource.h"

namespace keylark::wintest {
namespace {

constexpr LPARAM kMakeCodeA = 0x1E, kMakeCodeD = 0x20;

// The pointer moved to a point, with buttons pressed or released there; this
// returns once the pointer is there. A press carries the position: under Wine
// a move echoed late by the X server may still be on its way, and a press
// without one would land where that echo puts the pointer.
bool Mouse(POINT screen, DWORD buttons = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  SendInput(1, &input, sizeof input);
  return WaitFor([&] {
    POINT at{};
    return GetCursorPos(&at) && at.x == screen.x && at.y == screen.y;
  });
}

// A click of a button (its release flag follows its press flag).
void Press(POINT at, DWORD down) {
  Mouse(at, down);
  Mouse(at, down << 1);
}

class KeyBarUnderDialogs : public KeyBarTest {
 protected:
  void SetUp() override {
    KeyBarTest::SetUp();
    Put(layout::kCfg, "opts4", "1");  // hints on
    Put(layout::kCfg, "opts5", "1");
    Put(layout::kCmd, "Fn-C", "C:\\old.exe");
  }

  // The key bar, shown, with its label tips in place.
  HWND Start() {
    key_bar_ = StartKeyBar();
    const bool tips = key_bar_ != nullptr && WaitFor([&] {
                        return !WindowsOf(keylark_.ProcessId(), TOOLTIPS_CLASSA).empty();
                      });
    return tips ? key_bar_ : nullptr;
  }

  // The pointer comes down from the key bar's caption onto label C, over
  // the labels on its way, as a hand moves it.
  bool HoverC() {
    RECT frame{};
    GetWindowRect(key_bar_, &frame);
    const POINT from{frame.left + 40, frame.top + 8};
    POINT& to = label_c_;
    to = POINT{90 + 12, 123 + 12};  // the middle of label C
    ClientToScreen(key_bar_, &to);
    bool moved = true;
    for (int step = 0; step <= 12 && moved; ++step)
      moved = Mouse({from.x + (to.x - from.x) * step / 12, from.y + (to.y - from.y) * step / 12});
    return moved;
  }

  // Direct... in the Assignment Type dialog, once the hint over C has had
  // its time to come due (longer than a tip's delay): the command editor.
  HWND DirectAfterTheTipIsDue(HWND type) {
    std::this_thread::sleep_for(1200ms);
    Click(type, IDC_AT_DIRECT);
    return WaitForDialog(IDC_EC_COMMAND);
  }

  HWND key_bar_ = nullptr;
  POINT label_c_{};  // where HoverC left the pointer, on screen
};

TEST_F(KeyBarUnderDialogs, ARightClickRightAfterTheHoverEditsTheClickedKey) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_TRUE(HoverC());
  Press(label_c_, MOUSEEVENTF_RIGHTDOWN);  // at once, long before a tip shows
  HWND type = WaitForDialog(IDC_AT_KEY);
  ASSERT_NE(type, nullptr);
  EXPECT_FALSE(IsWindowEnabled(key_bar_));
  HWND editor = DirectAfterTheTipIsDue(type);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(ItemText(editor, IDC_EC_COMMAND), L"C:\\old.exe") << "edits Fn-C, not a new key";
  PostMessageA(editor, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntilGone(IDC_EC_COMMAND));
  EXPECT_EQ(Text(layout::kCmd, "Fn-C"), "C:\\old.exe");
  EXPECT_TRUE(IsWindowEnabled(key_bar_));
}

TEST_F(KeyBarUnderDialogs, AnFnKeyReportedDuringTheHoverEditsTheReportedKey) {
  Put(layout::kDesc, "Fn-C", "Old C");
  ASSERT_NE(Start(), nullptr);
  ASSERT_TRUE(HoverC());
  // A report is taken before the pointer's input still queued: the key bar
  // sees the hover first, as the user's hand is slower.
  std::this_thread::sleep_for(250ms);
  ReportFnKey(key_bar_, kMakeCodeD);  // Fn-D has no command
  HWND type = WaitForDialog(IDC_AT_KEY);
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(ItemText(type, IDC_AT_KEY), L"Fn-D");
  HWND editor = DirectAfterTheTipIsDue(type);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(ItemText(editor, IDC_EC_COMMAND), L"") << "a new assignment for Fn-D";
  SetItemText(editor, IDC_EC_COMMAND, L"C:\\new.exe");
  Click(editor, IDOK);
  EXPECT_TRUE(WaitUntilGone(IDC_EC_COMMAND));
  EXPECT_EQ(Text(layout::kCmd, "Fn-D"), "C:\\new.exe");
  EXPECT_EQ(Text(layout::kCmd, "Fn-C"), "C:\\old.exe");
  EXPECT_EQ(Text(layout::kDesc, "Fn-C"), "Old C");
}

TEST_F(KeyBarUnderDialogs, TheAboutBoxHoldsTheKeyBarUntilItClosesAndComesOnlyOnce) {
  LaunchLog log;
  Put(layout::kCmd, "Fn-C", TargetProgram());
  ASSERT_NE(Start(), nullptr);
  for (int request = 0; request < 3; ++request) PostMessageA(key_bar_, WM_COMMAND, IDM_ABOUT, 0);
  HWND about = WaitForDialog(IDC_ABOUT_TITLE);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(GetWindow(about, GW_OWNER), nullptr);
  EXPECT_FALSE(IsWindowEnabled(key_bar_));
  // Aside, so that the pointer reaches the label past it.
  SetWindowPos(about, nullptr, 600, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  // Another request, or a click on the held key bar, brings the box forward.
  const auto comes_forward = [&](const std::function<void()>& ask) {
    SetForegroundWindow(key_bar_);
    if (!WaitFor([&] { return GetForegroundWindow() == key_bar_; })) return false;
    ask();
    return WaitFor([&] { return GetForegroundWindow() == about; });
  };
  EXPECT_TRUE(comes_forward([&] { PostMessageA(key_bar_, WM_COMMAND, IDM_ABOUT, 0); }));
  EXPECT_EQ(DialogsWith(IDC_ABOUT_TITLE).size(), 1U);
  EXPECT_TRUE(comes_forward([&] {
    ASSERT_TRUE(HoverC());
    Press(label_c_, MOUSEEVENTF_LEFTDOWN);
    Press(label_c_, MOUSEEVENTF_RIGHTDOWN);
  }));
  EXPECT_EQ(WaitForDialog(IDC_AT_KEY, 1500ms), nullptr) << "no Assignment Type beside About";
  EXPECT_TRUE(log.Starts().empty()) << "the click on C started its program";

  // An unassigned key reported meanwhile opens its Assignment Type dialog, as
  // with no assignment dialog open; the flow ending there leaves the key bar
  // to the About box.
  ReportFnKey(key_bar_, kMakeCodeD);
  HWND type = WaitForDialog(IDC_AT_KEY);
  ASSERT_NE(type, nullptr);
  Click(type, IDC_AT_CLEAR);  // nothing stored to clear
  ASSERT_TRUE(WaitUntilGone(IDC_AT_KEY));
  EXPECT_TRUE(WaitFor([&] { return !IsWindowEnabled(key_bar_); }));

  PostMessageA(about, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(WaitUntilGone(IDC_ABOUT_TITLE));
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(key_bar_) != FALSE; }));
  // The same click now reaches the key bar.
  ASSERT_TRUE(HoverC());
  Press(label_c_, MOUSEEVENTF_LEFTDOWN);
  EXPECT_TRUE(log.WaitForStarts(1));
}

// With the key bar hidden a reported key's dialog has no owner, and the key
// bar does not wait for it.
TEST_F(KeyBarUnderDialogs, AKeyReportedRightAfterAChoiceInTheUnownedDialogDoesNotTakeItsPlace) {
  ASSERT_NE(Start(), nullptr);
  ShowWindow(key_bar_, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(key_bar_); }));
  ReportFnKey(key_bar_, kMakeCodeA);
  HWND type = WaitForDialog(IDC_AT_KEY);
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(GetWindow(type, GW_OWNER), nullptr);
  EXPECT_TRUE(AnswersWithin(key_bar_, 2s));
  Click(type, IDC_AT_DIRECT);
  ReportFnKey(key_bar_, kMakeCodeD);  // queued before the editor can open
  HWND editor = WaitForDialog(IDC_EC_COMMAND);
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(DialogsWith(IDC_AT_KEY).empty());
  PostMessageA(editor, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntilGone(IDC_EC_COMMAND));
}

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
  EXPECT_TRUE(AnswersWithin(key_bar, 2s));
}

}  // namespace
}  // namespace keylark::wintest
