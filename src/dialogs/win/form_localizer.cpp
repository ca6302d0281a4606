#include "dialogs/win/form_localizer.h"

#include "i18n/win/dialog_translation.h"
#include "ui/win/boundary_trace.h"

namespace keylark::dialogs::win {

std::vector<platform::win32::Font> FormLocalizer::Localize(HWND dialog, int template_id) {
  i18n::win::DialogFonts fonts;
  if (!i18n::win::TranslateDialog(dialog, template_id, session_, library_, fonts)) {
    ui::win::TraceFault("a dialog without a caption table keeps its design captions");
  }
  return fonts;
}

}  // namespace keylark::dialogs::win
