// The key bar's translation: its caption, the items of its menu bar and of
// the tray menu. The key bar never changes fonts. It is translated while it
// loads, before it shows, so its menu bar is drawn first with the new texts.
#pragma once

#include <windows.h>

#include "i18n/translation.h"

namespace keylark::app::win {

class KeyBarCaptions final : public i18n::FormSurface {
 public:
  KeyBarCaptions(HWND key_bar, HMENU tray_menu) : key_bar_(key_bar), tray_menu_(tray_menu) {}

  int ControlCount() const override { return 0; }
  i18n::ControlKind KindOf(int /*control*/) const override { return i18n::ControlKind::Other; }
  void SetFont(int /*control*/, const i18n::FontChange& /*font*/) override {}
  void SetCaption(const i18n::CaptionTarget& target, const std::string& text) override;

 private:
  HWND key_bar_;
  HMENU tray_menu_;
};

}  // namespace keylark::app::win
