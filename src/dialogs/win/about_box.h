// The About box (frmAbout): banner, version and rights notice; OK, Enter and
// Esc close it.
#pragma once

#include "core/session.h"
#include "ui/win/dialog.h"
#include "ui/win/program_modal.h"

namespace keylark::dialogs::win {

class AboutBox final : public ui::win::Dialog {
 public:
  // Shows the About box without an owner window, modal for the whole
  // program: none of its other windows takes input until the box closes.
  // There is only ever one: asked for again, the open box comes to the front.
  static void ShowOnce(HINSTANCE instance, const core::Session& session,
                       const ui::win::HelpRoutine& show_help, ui::win::DialogLocalizer& localizer);

 protected:
  // The English banner, which the translation replaces as a whole.
  void PrepareDesign() override;
  void OnOk() override { CloseBox(IDOK); }
  void OnCancel() override { CloseBox(IDCANCEL); }

 private:
  explicit AboutBox(HINSTANCE instance) : instance_(instance) {}
  void Show(const core::Session& session, const ui::win::HelpRoutine& show_help,
            ui::win::DialogLocalizer& localizer);
  void CloseBox(INT_PTR result);

  HINSTANCE instance_;
  ui::win::ProgramModal* others_ = nullptr;  // while the box is shown
};

}  // namespace keylark::dialogs::win
