// The About box (frmAbout): banner, version and rights notice; OK, Enter and
// Esc close it.
#pragma once

#include "core/session.h"
#include "ui/win/dialog.h"

namespace keylark::dialogs::win {

class AboutBox final : public ui::win::Dialog {
 public:
  explicit AboutBox(HINSTANCE instance) : instance_(instance) {}

  // Modal and without an owner window.
  void Show(const core::Session& session, const ui::win::HelpRoutine& show_help);

 protected:
  bool OnInit() override;

 private:
  HINSTANCE instance_;
};

}  // namespace keylark::dialogs::win
