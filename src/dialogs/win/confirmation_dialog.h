// The Key Assignment Confirmation dialog (Form7): the previous and the new
// assignment side by side; OK stores the new one.
#pragma once

#include "dialogs/confirmation.h"
#include "ui/win/dialog.h"

namespace keylark::dialogs::win {

class ConfirmationDialog final : public ui::win::Dialog {
 public:
  explicit ConfirmationDialog(ConfirmationModel model) : model_(std::move(model)) {}

 protected:
  bool OnInit() override;
  void OnOk() override;
  bool OnCommand(int id, int notification) override;

 private:
  ConfirmationModel model_;
  ConfirmationModel::Shown shown_;
};

}  // namespace keylark::dialogs::win
