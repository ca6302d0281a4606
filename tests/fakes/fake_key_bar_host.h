// A key bar without a window: it records what the decisions ask of it in the
// shared call log and keeps the window state they look at.
#pragma once

#include <functional>

#include "app/key_bar_services.h"
#include "fakes/call_log.h"

namespace keylark::fakes {

class FakeKeyBarHost final : public app::KeyBarWindow {
 public:
  static constexpr platform::WindowHandle kKeyBarWindow = 100;
  static constexpr platform::WindowHandle kDialogWindow = 200;

  explicit FakeKeyBarHost(CallLog& log) : log_(log) {}

  platform::WindowHandle Handle() const override { return kKeyBarWindow; }
  core::WindowState State() const override { return state; }
  // Logged as "state normal|minimized|maximized".
  void SetState(core::WindowState new_state) override;
  // Logged as "show-key-bar".
  void Show() override;
  platform::WindowHandle ActiveForm() const override { return active_form; }
  // The rest are logged by their names: "refresh-marks", "assign-type-modal",
  // "assign-type-modeless", "popup-list", "tray-menu".
  void RefreshKeyMarks() override;
  void ShowAssignTypeModal() override;
  void ShowAssignTypeModeless() override;
  void ShowPopupList() override;
  void ShowTrayMenu() override;
  // Logged as "enable-key-bar", "confirm-check on|off" and "assigned <index>".
  void Enable() override;
  void ShowConfirmChanges(bool on) override;
  void ShowAsAssigned(int key_index) override;

  core::WindowState state = core::WindowState::Normal;
  platform::WindowHandle active_form = kKeyBarWindow;
  // Runs while the modal dialog "is open", e.g. to simulate what the user did.
  std::function<void()> during_modal_dialog;

 private:
  CallLog& log_;
};

}  // namespace keylark::fakes
