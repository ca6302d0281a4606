// A small modal stand-in for an assignment dialog that this version does not
// have yet: it shows the dialog's caption and what it will do, and closes with
// OK or Esc. It keeps the dialog's open flag set while it is shown, so that a
// key used meanwhile behaves as it will with the real dialog.
#pragma once

#include <string>

#include "ui/win/modal_dialog.h"

namespace keylark::dialogs::win {

class PendingDialog final : public ui::win::ModalDialog {
 public:
  PendingDialog(std::string caption, std::string text, bool topmost, bool* open_flag)
      : caption_(std::move(caption)),
        text_(std::move(text)),
        topmost_(topmost),
        open_flag_(open_flag) {}

  void Show(HINSTANCE instance, HWND owner);

 protected:
  BOOL OnInit() override;
  void OnDestroy() override;

 private:
  std::string caption_;
  std::string text_;
  bool topmost_;
  bool* open_flag_;
};

}  // namespace keylark::dialogs::win
