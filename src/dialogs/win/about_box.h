// The About box (frmAbout): banner, version and rights notice; OK, Enter and
// Esc close it.
#pragma once

#include "core/session.h"
#include "ui/win/modal_dialog.h"
#include "resource.h"

namespace keylark::dialogs::win {

// The English banner, one empty line, the rights notice.
extern const char* const kAboutBanner;

class AboutBox final : public ui::win::ModalDialog {
 public:
  AboutBox(const core::Session& session, HINSTANCE instance)
      : session_(session), instance_(instance) {}

  // Modal and without an owner window.
  void Show() { Run(instance_, IDD_ABOUT, nullptr); }

 protected:
  BOOL OnInit() override;

 private:
  const core::Session& session_;
  HINSTANCE instance_;
};

}  // namespace keylark::dialogs::win
