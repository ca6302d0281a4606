#include "fakes/fake_key_bar_host.h"

namespace keylark::fakes {
namespace {

const char* StateName(core::WindowState state) {
  switch (state) {
    case core::WindowState::Normal:
      return "normal";
    case core::WindowState::Minimized:
      return "minimized";
    case core::WindowState::Maximized:
      return "maximized";
  }
  return "?";
}

}  // namespace

void FakeKeyBarHost::SetState(core::WindowState new_state) {
  log_.push_back(std::string("state ") + StateName(new_state));
  state = new_state;
}

void FakeKeyBarHost::Show() { log_.push_back("show-key-bar"); }

void FakeKeyBarHost::RefreshKeyMarks() { log_.push_back("refresh-marks"); }

void FakeKeyBarHost::ShowAssignTypeModal() {
  log_.push_back("assign-type-modal");
  if (during_modal_dialog) during_modal_dialog();
}

void FakeKeyBarHost::ShowAssignTypeModeless() { log_.push_back("assign-type-modeless"); }

void FakeKeyBarHost::ShowPopupList() { log_.push_back("popup-list"); }

void FakeKeyBarHost::ShowTrayMenu() { log_.push_back("tray-menu"); }

void FakeKeyBarHost::Enable() { log_.push_back("enable-key-bar"); }

void FakeKeyBarHost::ShowConfirmChanges(bool on) {
  log_.push_back(std::string("confirm-check ") + (on ? "on" : "off"));
}

void FakeKeyBarHost::ShowAsAssigned(int key_index) {
  log_.push_back("assigned " + std::to_string(key_index));
}

}  // namespace keylark::fakes
