// Translates a dialog as it loads: finds its form by template id and runs the
// form's routine over the dialog's window and controls.
#pragma once

#include <windows.h>

#include <vector>

#include "core/session.h"
#include "i18n/translation.h"
#include "platform/resource_library.h"
#include "platform/win32/owned_handles.h"

namespace keylark::i18n::win {

// The fonts the translation gave the dialog's controls; they must live as
// long as the controls do. Empty when no font changed.
using DialogFonts = std::vector<platform::win32::Font>;

// False when the template has no form, which is a fault of the program: every
// dialog has a caption table.
bool TranslateDialog(HWND dialog, int template_id, core::Session& session,
                     platform::ResourceLibrary& library, DialogFonts& fonts);

// A form surface over a dialog window and its direct child controls.
class DialogSurface final : public FormSurface {
 public:
  DialogSurface(HWND dialog, DialogFonts& fonts);

  int ControlCount() const override;
  ControlKind KindOf(int control) const override;
  void SetFont(int control, const FontChange& font) override;
  void SetCaption(const CaptionTarget& target, const std::string& text) override;

 private:
  HFONT FontFor(HWND control, const FontChange& change);

  HWND dialog_;
  std::vector<HWND> controls_;
  DialogFonts& fonts_;
};

}  // namespace keylark::i18n::win
