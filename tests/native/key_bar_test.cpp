// The key bar's decisions: which messages are ours, what Fn keys, the tray and
// labels do, where the key bar stands and what it writes at start and close.
#include "app/key_bar_messages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/key_bar_model.h"
#include "app/screen_placement.h"
#include "app/startup.h"
#include "fakes/key_bar_world.h"

namespace keylark::app {
namespace {

using core::Session;
using core::WindowState;
using fakes::CallLog;
using ::testing::ElementsAre;

constexpr platform::WindowHandle kOther = 300;
constexpr platform::WindowHandle kBar = fakes::FakeKeyBarHost::kKeyBarWindow;
constexpr platform::WindowHandle kDialog = fakes::FakeKeyBarHost::kDialogWindow;
const std::string kBarToFront = "foreground " + std::to_string(kBar);
const std::string kDialogToFront = "foreground " + std::to_string(kDialog);

// Which key a code selects is the key table's; here what makes a message ours.
TEST(KeyBarMessageClassification, OnlyOurTrayClicksAndFnKeyReportsAreHandled) {
  const struct {
    std::uint32_t message;
    std::uintptr_t wparam;
    std::intptr_t lparam;
    KeyBarEvent event;
    int key_index;  // -1: no key
  } cases[] = {
      {2027, 256, 0x12, KeyBarEvent::FnKey, 10},
      {2027, 256, 0x08, KeyBarEvent::None, -1},
      {2027, 256, 0x102, KeyBarEvent::None, -1},  // a known code in the low byte only
      {2027, 255, 0x12, KeyBarEvent::None, -1},
      {1124, 9999, 515, KeyBarEvent::TrayRestore, -1},
      {1124, 9999, 517, KeyBarEvent::TrayMenu, -1},
      {1124, 9999, 514, KeyBarEvent::None, -1},  // a single click
      {1124, 9998, 515, KeyBarEvent::None, -1},
      {2028, 0, 0, KeyBarEvent::StoreChanged, -1},
  };
  for (const auto& c : cases) {
    const ClassifiedMessage result = ClassifyKeyBarMessage(c.message, c.wparam, c.lparam);
    EXPECT_EQ(std::make_pair(result.event, result.key ? result.key->index : -1),
              std::make_pair(c.event, c.key_index))
        << c.message << "/" << c.wparam << "/" << c.lparam;
  }
}

class KeyBarTest : public fakes::WorldTest {
 protected:
  Session& session_ = world_.session;
};

TEST_F(KeyBarTest, AnFnKeyIsSelectedAndLaunchedAStoreChangeOnlyRecolours) {
  world_.AssignDirect("Fn-E", "run.exe");
  HandleKeyBarMessage(world_.services, core::FnKeyMessage, 256, 0x12);
  EXPECT_EQ(session_.CurrentKeyName, "Fn-E");
  EXPECT_EQ(session_.CurrentKeyIndex, 10);
  HandleKeyBarMessage(world_.services, core::StoreChangedMessage, 0, 0);
  EXPECT_THAT(world_.log, ElementsAre("shell-open run.exe", "refresh-marks"));
}

// A double click on the tray icon (515), Launch in the tray menu, the menu
// opening (517): which window comes forward, whether a hidden key bar shows.
TEST_F(KeyBarTest, TheTrayBringsBackTheKeyBarOrTheDialogInFront) {
  enum Via { kDoubleClick, kMenuLaunch, kMenuOpens };
  const CallLog back = {kBarToFront, "state normal", "show-key-bar", "refresh-marks"};
  const struct {
    Via via;
    bool hidden;
    bool Session::*dialog;  // the open dialog's flag, nullptr: none
    platform::WindowHandle active, front;
    CallLog expected;
  } cases[] = {
      {kDoubleClick, false, &Session::ConfirmOpen, kBar, kOther, {kBarToFront}},
      {kDoubleClick, true, nullptr, kBar, kOther, back},
      {kDoubleClick, true, &Session::EditCommandOpen, kDialog, kOther, {kDialogToFront}},
      // A flag still set while the key bar itself is the active form.
      {kDoubleClick, true, &Session::EditCommandOpen, kBar, kOther, back},
      {kMenuLaunch, true, nullptr, kBar, kOther, back},
      {kMenuLaunch, true, nullptr, kDialog, kOther, {kDialogToFront}},
      {kMenuLaunch, false, &Session::ExplorerOpen, kDialog, kOther, {kBarToFront}},
      {kMenuOpens, false, nullptr, kBar, kOther, {kBarToFront, "tray-menu"}},
      {kMenuOpens, false, nullptr, kBar, kBar, {"tray-menu"}},
      {kMenuOpens, false, &Session::AssignTypeOpen, kDialog, kBar, {kDialogToFront, "tray-menu"}},
  };
  for (const auto& c : cases) {
    fakes::KeyBarWorld world;
    world.host.state = c.hidden ? WindowState::Minimized : WindowState::Normal;
    if (c.dialog) world.session.*c.dialog = true;
    world.host.active_form = c.active;
    world.shell.foreground = c.front;
    if (c.via == kMenuLaunch) {
      RestoreFromTrayMenu(world.services);
    } else {
      HandleKeyBarMessage(world.services, core::TrayCallbackMessage, core::TrayIconId,
                          c.via == kDoubleClick ? 515 : 517);
    }
    EXPECT_EQ(world.log, c.expected) << "case " << (&c - cases);
  }
}

TEST_F(KeyBarTest, ButtonsDecideWhatAPressOnALabelDoes) {
  world_.AssignDirect("Fn-E", "notepad.exe");
  const auto press = [&](int index, MouseButton button, bool reserved = false) {
    return PressLabel(session_, world_.store, index, button, reserved);
  };
  EXPECT_EQ(press(10, MouseButton::Left), LabelAction::Launch);
  EXPECT_EQ(session_.CurrentKeyName, "Fn-E");
  EXPECT_EQ(session_.CurrentKeyIndex, 10);
  EXPECT_EQ(session_.CurrentKeyLookup, 100) << "a left click looks nothing up itself";
  EXPECT_EQ(press(10, MouseButton::Right), LabelAction::ChooseType);
  EXPECT_EQ(session_.CurrentKeyLookup, 0);
  session_.CurrentKeyLookup = 55;
  EXPECT_EQ(press(23, MouseButton::Other), LabelAction::SelectOnly);
  EXPECT_EQ(session_.CurrentKeyIndex, 23);
  EXPECT_EQ(session_.CurrentKeyLookup, 55);
  for (MouseButton button : {MouseButton::Left, MouseButton::Right, MouseButton::Other}) {
    EXPECT_EQ(press(7, button, true), LabelAction::Ignore) << "a reserved label";
  }
  EXPECT_EQ(session_.CurrentKeyName, "Fn-Z");
}

TEST_F(KeyBarTest, HintsShowTheDescriptionOrNoneWhileHintsAreOn) {
  const auto hint = [&](int index) { return LabelHint(session_, world_.store, index); };
  world_.Put(fakes::layout::kDesc, "Fn-A", "Text editor");
  EXPECT_EQ(hint(6), "") << "hints absent";
  world_.Put(fakes::layout::kCfg, "opts4", "1 ");
  EXPECT_EQ(hint(6), "") << "only exactly 1 is on";
  EXPECT_EQ(session_.CurrentKeyName, "Fn-A") << "the hover still selects the key";
  world_.Put(fakes::layout::kCfg, "opts4", "1");
  EXPECT_EQ(hint(6), "Text editor");
  EXPECT_EQ(session_.CurrentKeyLookup, 0);
  world_.Put(fakes::layout::kDesc, "Fn-A", "");
  EXPECT_EQ(hint(6), "none");
  EXPECT_EQ(hint(7), "none");
}

// A 1024 x 768 screen at 15 twips per pixel, a 318 x 200 pixel key bar; the
// values written are checked on the real program, here their order.
// Closing saves the position unless both coordinates are zero or less.
TEST_F(KeyBarTest, FirstRunPlacesTheKeyBarAFifthIntoTheFreeSpaceAndClosingSavesWhereItIs) {
  SaveKeyBarPosition(world_.store, {150, 150});
  EXPECT_FALSE(world_.store.KeyExists(platform::Root::CurrentUser, fakes::layout::kCfg));
  const Twips first_run = FirstRunPlacement({15360, 11520}, {4770, 3000});
  EXPECT_DOUBLE_EQ(first_run.left, 2118);
  EXPECT_DOUBLE_EQ(first_run.top, 1704);
  EXPECT_DOUBLE_EQ(RestoreOrInitializePosition(world_.store, first_run).left, 2118);
  std::vector<std::string> writes;
  for (const std::string& line : world_.registry.Log()) {
    if (line.rfind("set ", 0) == 0) writes.push_back(line.substr(4));
  }
  EXPECT_EQ(writes, (std::vector<std::string>{"fIcon", "opts1", "opts2", "opts3", "opts4", "opts5",
                                              "X", "Y"}));
  const std::pair<Twips, const char*> cases[] = {{{0, 0}, "2118"},
                                                 {{-30, -15}, "2118"},
                                                 {{0, 15}, "0"},
                                                 {{-15, 300}, "-15"},
                                                 {{10005, 0}, "10005"}};
  for (const auto& [position, left] : cases) {
    SaveKeyBarPosition(world_.store, position);
    EXPECT_EQ(world_.Text(fakes::layout::kCfg, "X"), left) << position.left << "," << position.top;
  }
}

// Windows 95, 98, Me and XP, and a later version on the 9x platform.
TEST_F(KeyBarTest, OnlyThe98AndMeFamilyCounts) {
  for (const OsVersion& version : {OsVersion{4, 10, 1}, OsVersion{4, 90, 1}, OsVersion{5, 0, 1}})
    EXPECT_TRUE(IsWin9xFamily(version)) << version.major << "." << version.minor;
  for (const OsVersion& version : {OsVersion{4, 0, 1}, OsVersion{5, 1, 2}})
    EXPECT_FALSE(IsWin9xFamily(version)) << version.major << "." << version.minor;
  EXPECT_FALSE(ProbeOsVersion(session_, std::nullopt)) << "the call failed";
}

TEST(LabelFont, SizeFollowsTheScreensPixelsPerInch) {
  // 97 to 119 keep 12; halves round to the even neighbour (4.5 at 256).
  const std::pair<int, int> sizes[] = {{96, 12}, {120, 10}, {110, 12}, {192, 6}, {256, 4}};
  for (const auto& [dpi, points] : sizes) EXPECT_EQ(LabelFontSize(dpi), points) << dpi;
}

TEST(ScreenPlacement, AWindowMostlyOffEveryMonitorComesInsideTheNearestWorkArea) {
  const PixelRect monitors[] = {{0, 0, 1024, 768}, {1024, 0, 2048, 768}};
  const PixelRect work{0, 0, 1024, 740};
  auto corner = [&](PixelRect w) {
    const PixelPoint p = KeepOnScreen(w, monitors, work);
    return std::make_pair(p.x, p.y);
  };
  EXPECT_EQ(corner({1800, 100, 2118, 300}), std::make_pair(1800L, 100L));  // most on the second
  EXPECT_EQ(corner({2000, 100, 2318, 300}), std::make_pair(706L, 100L));
  EXPECT_EQ(corner({-400, 700, -82, 900}), std::make_pair(0L, 540L));
  EXPECT_EQ(corner({100, -50, 418, 150}), std::make_pair(100L, -50L));  // three quarters on
  EXPECT_EQ(corner({5000, 0, 7000, 1000}), std::make_pair(0L, 0L));     // larger than the area
  EXPECT_EQ(TwipsToPixels(1e300, 15), 10000000L);
  EXPECT_EQ(TwipsToPixels(-1e300, 15), -10000000L);
  EXPECT_EQ(TwipsToPixels(10005, 15), 667L);
}

}  // namespace
}  // namespace keylark::app
