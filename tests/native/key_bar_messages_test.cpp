#include "app/key_bar_messages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/key_bar_world.h"

namespace keylark::app {
namespace {

using core::FnKeyMessage;
using core::TrayCallbackMessage;
using core::TrayIconId;
using core::WindowState;

using fakes::FakeKeyBarHost;
using ::testing::ElementsAre;

constexpr platform::WindowHandle kOtherWindow = 300;
const std::string kKeyBarToFront = "foreground " + std::to_string(FakeKeyBarHost::kKeyBarWindow);
const std::string kDialogToFront = "foreground " + std::to_string(FakeKeyBarHost::kDialogWindow);

struct MessageCase {
  std::uint32_t message;
  std::uintptr_t wparam;
  std::intptr_t lparam;
  KeyBarEvent event;
  int key_index;  // -1: no key
};

// Which key a code selects is the key table's; here what makes a message ours.
TEST(KeyBarMessageClassification, OnlyOurTrayClicksAndFnKeyReportsAreHandled) {
  const std::vector<MessageCase> cases = {
      {2027, 256, 0x12, KeyBarEvent::FnKey, 10},
      {2027, 256, 0x08, KeyBarEvent::None, -1},
      {2027, 256, 0x102, KeyBarEvent::None, -1},  // a known code in the low byte only
      {2027, 255, 0x12, KeyBarEvent::None, -1},
      {1124, 9999, 515, KeyBarEvent::TrayRestore, -1},
      {1124, 9999, 517, KeyBarEvent::TrayMenu, -1},
      {1124, 9999, 514, KeyBarEvent::None, -1},  // a single click
      {1124, 9998, 515, KeyBarEvent::None, -1},
      {1125, 9999, 515, KeyBarEvent::None, -1},
      {2028, 0, 0, KeyBarEvent::StoreChanged, -1},
  };
  for (const MessageCase& c : cases) {
    const ClassifiedMessage result = ClassifyKeyBarMessage(c.message, c.wparam, c.lparam);
    SCOPED_TRACE(::testing::Message() << c.message << "/" << c.wparam << "/" << c.lparam);
    EXPECT_EQ(result.event, c.event);
    EXPECT_EQ(result.key ? result.key->index : -1, c.key_index);
  }
}

class KeyBarMessagesTest : public fakes::WorldTest {
 protected:
  const fakes::CallLog& Handle(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) {
    world_.log.clear();
    HandleKeyBarMessage(world_.services, message, wparam, lparam);
    return world_.log;
  }

  // The key bar hidden in the tray; a dialog is the active form when one is open.
  void HideKeyBar(bool dialog_open) {
    world_.host.state = WindowState::Minimized;
    world_.session.EditCommandOpen = dialog_open;
    world_.host.active_form =
        dialog_open ? FakeKeyBarHost::kDialogWindow : FakeKeyBarHost::kKeyBarWindow;
    world_.shell.foreground = kOtherWindow;
  }

  const fakes::CallLog& RunRestoreFromTrayMenu() {
    world_.log.clear();
    RestoreFromTrayMenu(world_.services);
    return world_.log;
  }
};

TEST_F(KeyBarMessagesTest, AnFnKeyBecomesTheCurrentKeyAndIsLaunched) {
  world_.AssignDirect("Fn-E", "run.exe");
  EXPECT_THAT(Handle(FnKeyMessage, 256, 0x12), ElementsAre("shell-open run.exe"));
  EXPECT_EQ(world_.session.CurrentKeyName, "Fn-E");
  EXPECT_EQ(world_.session.CurrentKeyIndex, 10);

  EXPECT_THAT(Handle(FnKeyMessage, 256, 0x02), ElementsAre("assign-type-modal"));
  EXPECT_EQ(world_.session.CurrentKeyName, "Fn-1");
  EXPECT_EQ(world_.session.CurrentKeyIndex, 0);
}

TEST_F(KeyBarMessagesTest, AStoreChangeRecoloursTheLabelsAndLaunchesNothing) {
  world_.AssignDirect("Fn-E", "run.exe");
  world_.SelectKey("Fn-E", 10);
  EXPECT_THAT(Handle(core::StoreChangedMessage, 0, 0), ElementsAre("refresh-marks"));
}

TEST_F(KeyBarMessagesTest, ADoubleClickBringsAVisibleKeyBarForwardAndAHiddenOneBack) {
  world_.shell.foreground = kOtherWindow;
  EXPECT_THAT(Handle(TrayCallbackMessage, TrayIconId, 515), ElementsAre(kKeyBarToFront));
  world_.session.ConfirmOpen = true;  // the flags do not matter while it is visible
  EXPECT_THAT(Handle(TrayCallbackMessage, TrayIconId, 515), ElementsAre(kKeyBarToFront));
  world_.session.ConfirmOpen = false;
  HideKeyBar(false);
  EXPECT_THAT(Handle(TrayCallbackMessage, TrayIconId, 515),
              ElementsAre(kKeyBarToFront, "state normal", "show-key-bar", "refresh-marks"));
}

TEST_F(KeyBarMessagesTest, ADoubleClickWithADialogOpenBringsTheDialogAndLeavesTheKeyBarHidden) {
  HideKeyBar(true);
  EXPECT_THAT(Handle(TrayCallbackMessage, TrayIconId, 515), ElementsAre(kDialogToFront));
  EXPECT_EQ(world_.host.state, WindowState::Minimized);

  // A flag still set while the key bar itself is the active form: it comes back.
  world_.host.active_form = FakeKeyBarHost::kKeyBarWindow;
  EXPECT_THAT(Handle(TrayCallbackMessage, TrayIconId, 515),
              ElementsAre(kKeyBarToFront, "state normal", "show-key-bar", "refresh-marks"));
}

TEST_F(KeyBarMessagesTest, LaunchFromTheTrayMenuGoesByTheActiveFormAlone) {
  HideKeyBar(false);
  EXPECT_THAT(RunRestoreFromTrayMenu(),
              ElementsAre(kKeyBarToFront, "state normal", "show-key-bar", "refresh-marks"));

  // No flag set, yet a dialog is the active form: only the dialog comes forward.
  HideKeyBar(false);
  world_.host.active_form = FakeKeyBarHost::kDialogWindow;
  EXPECT_THAT(RunRestoreFromTrayMenu(), ElementsAre(kDialogToFront));

  world_.host.state = WindowState::Normal;
  world_.session.ExplorerOpen = true;
  EXPECT_THAT(RunRestoreFromTrayMenu(), ElementsAre(kKeyBarToFront));
}

TEST_F(KeyBarMessagesTest, TheTrayMenuOpensWithAWindowOfTheProgramInFront) {
  world_.shell.foreground = kOtherWindow;
  EXPECT_THAT(Handle(TrayCallbackMessage, TrayIconId, 517),
              ElementsAre(kKeyBarToFront, "tray-menu"));
  EXPECT_THAT(Handle(TrayCallbackMessage, TrayIconId, 517), ElementsAre("tray-menu"));

  world_.session.AssignTypeOpen = true;
  world_.host.active_form = FakeKeyBarHost::kDialogWindow;
  EXPECT_THAT(Handle(TrayCallbackMessage, TrayIconId, 517),
              ElementsAre(kDialogToFront, "tray-menu"));
}

}  // namespace
}  // namespace keylark::app
