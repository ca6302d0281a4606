// A small modal stand-in for a window that this version does not have yet:
// it shows the window's caption and what it will do, and closes with OK or
// Esc. Its context keeps the window's open flag set while it is shown, so that
// a key used meanwhile behaves as it will with the real window.
#pragma once

#include <string>

#include "ui/win/dialog.h"

namespace keylark::dialogs::win {

class PendingDialog final : public ui::win::Dialog {
 public:
  PendingDialog(std::string caption, std::string text)
      : caption_(std::move(caption)), text_(std::move(text)) {}

  void Show(HINSTANCE instance, const ui::win::DialogContext& context);

 protected:
  bool OnInit() override;

 private:
  std::string caption_;
  std::string text_;
};

}  // namespace keylark::dialogs::win
