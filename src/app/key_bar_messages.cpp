#include "app/key_bar_messages.h"

#include "launch/launch_engine.h"

namespace keylark::app {
namespace {

using core::FnKeyMessage;
using core::TrayCallbackMessage;
using core::WindowState;

ClassifiedMessage ClassifyTrayCallback(std::uintptr_t icon_id, std::intptr_t mouse_message) {
  if (icon_id != core::TrayIconId) return {};
  if (mouse_message == core::kTrayDoubleClick) return {KeyBarEvent::TrayRestore, std::nullopt};
  if (mouse_message == core::kTrayRightButtonUp) return {KeyBarEvent::TrayMenu, std::nullopt};
  return {};
}

ClassifiedMessage ClassifyFnKeyReport(std::uintptr_t wparam, std::intptr_t scan_code) {
  if (wparam != core::kFnKeyReportWParam) return {};
  // Make codes are single bytes; anything wider is no key of ours.
  if (scan_code < 0 || scan_code > 0xFF) return {};
  const std::optional<core::KeyInfo> key =
      core::FindKeyByScanCode(static_cast<std::uint32_t>(scan_code));
  if (!key) return {};
  return {KeyBarEvent::FnKey, key};
}

void ShowKeyBarAgain(const KeyBarServices& services) {
  services.window.SetState(WindowState::Normal);
  services.window.Show();
  // The store may have changed while the key bar was hidden.
  services.window.RefreshKeyMarks();
}

// Brings the active form forward; when that is the key bar, shows it again.
void BringActiveFormBack(const KeyBarServices& services) {
  const platform::WindowHandle active = services.window.ActiveForm();
  if (active == 0) return;
  services.shell.SetForegroundWindow(active);
  if (active == services.window.Handle()) ShowKeyBarAgain(services);
}

}  // namespace

ClassifiedMessage ClassifyKeyBarMessage(std::uint32_t message, std::uintptr_t wparam,
                                        std::intptr_t lparam) {
  if (message == TrayCallbackMessage) return ClassifyTrayCallback(wparam, lparam);
  if (message == FnKeyMessage) return ClassifyFnKeyReport(wparam, lparam);
  if (message == core::StoreChangedMessage) return {KeyBarEvent::StoreChanged, std::nullopt};
  return {};
}

void HandleKeyBarMessage(const KeyBarServices& services, std::uint32_t message,
                         std::uintptr_t wparam, std::intptr_t lparam) {
  HandleKeyBarEvent(services, ClassifyKeyBarMessage(message, wparam, lparam));
}

void HandleKeyBarEvent(const KeyBarServices& services, const ClassifiedMessage& classified) {
  switch (classified.event) {
    case KeyBarEvent::TrayRestore:
      RestoreFromTrayIcon(services);
      break;
    case KeyBarEvent::TrayMenu:
      BringForwardForTrayMenu(services);
      services.window.ShowTrayMenu();
      break;
    case KeyBarEvent::FnKey:
      // Reserved keys launch as well: only a click on a label checks for them.
      SelectCurrentKey(services.session, *classified.key);
      launch::LaunchKey(services.Launch());
      break;
    case KeyBarEvent::StoreChanged:
      services.window.RefreshKeyMarks();
      break;
    case KeyBarEvent::None:
      break;
  }
}

void SelectCurrentKey(core::Session& session, const core::KeyInfo& key) {
  session.CurrentKeyName = core::KeyNameOf(key.character);
  session.CurrentKeyIndex = key.index;
}

void RestoreFromTrayIcon(const KeyBarServices& services) {
  if (services.window.State() == WindowState::Normal) {
    services.shell.SetForegroundWindow(services.window.Handle());
    return;
  }
  if (!services.session.AnyDialogOpen()) {
    services.shell.SetForegroundWindow(services.window.Handle());
    ShowKeyBarAgain(services);
    return;
  }
  // A dialog is open: it comes forward and the key bar stays where it is,
  // unless the key bar itself is the active form.
  BringActiveFormBack(services);
}

void RestoreFromTrayMenu(const KeyBarServices& services) {
  if (services.window.State() != WindowState::Normal) {
    BringActiveFormBack(services);
  } else {
    services.shell.SetForegroundWindow(services.window.Handle());
  }
}

void BringForwardForTrayMenu(const KeyBarServices& services) {
  if (services.session.AnyDialogOpen()) {
    core::BringActiveFormForward(services.shell, services.window);
  } else {
    core::BringKeyBarForward(services.shell, services.window);
  }
}

}  // namespace keylark::app
