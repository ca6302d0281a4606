// A key bar without a window: it keeps the window state the decisions look at
// and records what they ask of it in the shared call log ("state normal",
// "show-key-bar", "assign-type-modal", "assigned <index>"...).
#pragma once

#include <string>

#include "app/key_bar_services.h"
#include "fakes/fake_shell.h"

namespace keylark::fakes {

class FakeKeyBarHost final : public app::KeyBarWindow {
 public:
  static constexpr platform::WindowHandle kKeyBarWindow = 100;
  static constexpr platform::WindowHandle kDialogWindow = 200;

  explicit FakeKeyBarHost(CallLog& log) : log_(log) {}

  platform::WindowHandle Handle() const override { return kKeyBarWindow; }
  core::WindowState State() const override { return state; }
  void SetState(core::WindowState new_state) override {
    static const char* const kNames[] = {"normal", "minimized", "maximized"};
    log_.push_back(std::string("state ") + kNames[static_cast<int>(new_state)]);
    state = new_state;
  }
  void Show() override { log_.push_back("show-key-bar"); }
  platform::WindowHandle ActiveForm() const override { return active_form; }
  void RefreshKeyMarks() override { log_.push_back("refresh-marks"); }
  void ShowAssignTypeModal() override { log_.push_back("assign-type-modal"); }
  void ShowAssignTypeModeless() override { log_.push_back("assign-type-modeless"); }
  void ShowPopupList() override { log_.push_back("popup-list"); }
  void ShowTrayMenu() override { log_.push_back("tray-menu"); }
  void Enable() override { log_.push_back("enable-key-bar"); }
  void ShowConfirmChanges(bool on) override {
    log_.push_back(std::string("confirm-check ") + (on ? "on" : "off"));
  }
  void ShowAsAssigned(int index) override { log_.push_back("assigned " + std::to_string(index)); }

  core::WindowState state = core::WindowState::Normal;
  platform::WindowHandle active_form = kKeyBarWindow;

 private:
  CallLog& log_;
};

}  // namespace keylark::fakes
