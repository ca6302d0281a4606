// The Add/Edit Command dialog (Form4): a direct assignment for the current key.
#pragma once

#include <functional>

#include "dialogs/edit_command.h"
#include "ui/win/dialog.h"

namespace keylark::dialogs::win {

class EditCommandDialog final : public ui::win::Dialog {
 public:
  EditCommandDialog(EditCommandModel model, platform::FileChooser& chooser,
                    ChosenFileReaders readers)
      : model_(std::move(model)), chooser_(chooser), readers_(readers) {}

  // The fields the opener puts in once the dialog has loaded.
  std::optional<EditorFields> prefill;
  // Opens the application explorer over this dialog (Application...); the
  // fields for the program chosen there, or nothing.
  std::function<std::optional<EditorFields>(HWND over)> open_explorer;

  // After OK: whether the change goes on to the confirmation dialog, with
  // the fields as they were.
  bool Accepted() const { return accepted_; }
  const std::optional<EditorFields>& ChangeToConfirm() const { return to_confirm_; }

 protected:
  bool OnInit() override;
  void OnOk() override;
  bool OnCommand(int id, int notification) override;

 private:
  EditorFields Fields() const;
  void ShowFields(const EditorFields& fields) const;

  EditCommandModel model_;
  platform::FileChooser& chooser_;
  ChosenFileReaders readers_;
  bool accepted_ = false;
  std::optional<EditorFields> to_confirm_;
};

}  // namespace keylark::dialogs::win
