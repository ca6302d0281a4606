// The Function Key Assignments window (Form2): every key with its
// description, popup lists expanded under their keys on request, and a row
// picked for editing.
#pragma once

#include <vector>

#include "dialogs/assignment_list.h"
#include "platform/win32/owned_handles.h"
#include "ui/win/dialog.h"
#include "ui/win/list_view.h"

namespace keylark::dialogs::win {

class AssignmentsDialog final : public ui::win::Dialog {
 public:
  // How the Assignment Type dialog is to open after this window has closed.
  enum class Next { Nothing, AssignTypeModal, AssignTypeModeless };

  AssignmentsDialog(AssignmentListModel model, HINSTANCE instance)
      : model_(std::move(model)), instance_(instance) {}

  Next Chosen() const { return next_; }

 protected:
  void PrepareDesign() override;
  bool OnInit() override;
  bool OnCommand(int id, int notification) override;
  std::optional<LRESULT> OnNotify(const NMHDR& header) override;
  std::optional<INT_PTR> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void SetUpList();
  void ShowRowPictures(int pixels_per_inch);
  void Show(std::vector<ListRow> rows);
  void Picked(int item);
  void GoOn(Next next);

  AssignmentListModel model_;
  HINSTANCE instance_;
  ui::win::ListView list_;
  platform::win32::ImageList images_;
  platform::win32::Font font_;
  std::vector<ListRow> rows_;
  Next next_ = Next::Nothing;
};

}  // namespace keylark::dialogs::win
