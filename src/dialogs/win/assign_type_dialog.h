// The Assignment Type dialog (Form3): Direct, Popup or Clear for the current
// key, and the "confirm all changes" box.
#pragma once

#include <functional>

#include "dialogs/assign_type.h"
#include "ui/win/dialog.h"

namespace keylark::dialogs::win {

class AssignTypeDialog final : public ui::win::Dialog {
 public:
  // What the user chose that goes on in another dialog.
  enum class Next { Nothing, EditCommand, Explorer, ConfirmClear };

  explicit AssignTypeDialog(AssignTypeModel model) : model_(std::move(model)) {}

  Next Chosen() const { return next_; }
  const std::optional<EditorFields>& EditorPrefill() const { return prefill_; }

  // Called once the dialog's window is gone (a modeless dialog ends in its
  // own time).
  std::function<void()> on_closed;

 protected:
  bool OnInit() override;
  void OnOk() override {}  // Enter on the check box does nothing
  bool OnCommand(int id, int notification) override;
  void OnClosed() override;

 private:
  void GoOn(Next next);

  AssignTypeModel model_;
  Next next_ = Next::Nothing;
  std::optional<EditorFields> prefill_;
};

}  // namespace keylark::dialogs::win
