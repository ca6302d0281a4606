#include "dialogs/win/assignments_dialog.h"

#include "resource.h"
#include "ui/icon_sizes.h"
#include "ui/win/fonts.h"
#include "platform/win32/window_dpi.h"
#include "ui/win/icons.h"

namespace keylark::dialogs::win {
namespace {

// The column is as wide as the list less 300 twips, in dialog units.
constexpr int kColumnMarginUnits = 13;
// "MS Sans Serif", 8.25 points, as the list was designed.
constexpr const char* kListFace = "MS Sans Serif";
constexpr int kListHundredthsOfAPoint = 825;

// The row pictures in the order of RowImage, as small icons of the list's
// scale.
platform::win32::ImageList LoadRowPictures(HINSTANCE instance, int pixels_per_inch) {
  const int size = ui::SmallIconSizeFor(pixels_per_inch);
  platform::win32::ImageList images(
      platform::win32::CreateImageList(size, size, ILC_COLOR24 | ILC_MASK, 3, 0));
  for (const int id : {IDI_ROW_APPLICATION, IDI_ROW_POPUP_LIST, IDI_ROW_LIST_ITEM}) {
    // The list copies the picture: the icon goes right after.
    const platform::win32::Icon icon = ui::win::LoadIconAt(instance, id, size);
    platform::win32::AddIconToImageList(images.Get(), icon.Get());
  }
  return images;
}

}  // namespace

// The list's design font, which a Japanese translation replaces.
void AssignmentsDialog::PrepareDesign() {
  font_ = ui::win::DesignFont(hwnd(), kListFace, kListHundredthsOfAPoint);
  SendMessageA(Item(IDC_AL_LIST), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
}

bool AssignmentsDialog::OnInit() {
  SetUpList();
  const std::optional<bool> expanded = model_.InitialView();
  if (!expanded) return true;  // nothing to go by: an empty list
  SetChecked(IDC_AL_EXPAND, *expanded);
  // Checking the box is a click: it stores the choice again.
  Show(*expanded ? model_.SetExpanded(true) : model_.Rows(false));
  return true;
}

void AssignmentsDialog::SetUpList() {
  list_ = ui::win::ListView(Item(IDC_AL_LIST));
  list_.SetExtendedStyle(LVS_EX_FULLROWSELECT);
  ShowRowPictures(platform::win32::WindowPixelsPerInch(list_.Handle()));
  RECT margin{0, 0, kColumnMarginUnits, 0};
  MapDialogRect(hwnd(), &margin);
  RECT list{};
  GetWindowRect(list_.Handle(), &list);
  list_.AddColumn(list.right - list.left - margin.right);
}

void AssignmentsDialog::ShowRowPictures(int pixels_per_inch) {
  // The list keeps the pictures it had until it is given the new ones.
  const platform::win32::ImageList shown = std::move(images_);
  images_ = LoadRowPictures(instance_, pixels_per_inch);
  list_.SetSmallImages(images_.Get());
}

void AssignmentsDialog::Show(std::vector<ListRow> rows) {
  rows_ = std::move(rows);
  const ui::win::ListView::Batch batch(list_);
  list_.Clear();
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    list_.AddRow(rows_[i].text, static_cast<int>(rows_[i].image) - 1, static_cast<LPARAM>(i));
  }
}

bool AssignmentsDialog::OnCommand(int id, int notification) {
  if (notification != BN_CLICKED) return false;
  switch (id) {
    case IDC_AL_EXPAND:
      Show(model_.SetExpanded(IsChecked(IDC_AL_EXPAND)));
      Enable(IDC_AL_EDIT, false);
      return true;
    case IDC_AL_EDIT:
      GoOn(Next::AssignTypeModal);
      return true;
    default:
      return false;
  }
}

std::optional<INT_PTR> AssignmentsDialog::OnMessage(UINT message, WPARAM wparam,
                                                    LPARAM /*lparam*/) {
  // Moved to a monitor of another scale, which the message gives; the dialog
  // itself is moved and scaled by the system.
  if (message == WM_DPICHANGED && list_.Handle() != nullptr) ShowRowPictures(LOWORD(wparam));
  return std::nullopt;
}

std::optional<LRESULT> AssignmentsDialog::OnNotify(const NMHDR& header) {
  if (header.idFrom != IDC_AL_LIST) return std::nullopt;
  if (header.code == LVN_ITEMCHANGED) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if ((change.uNewState & LVIS_SELECTED) != 0 && (change.uOldState & LVIS_SELECTED) == 0) {
      Picked(change.iItem);
    }
    return 0;
  }
  if (header.code == NM_DBLCLK) {
    // The click before it picked the row; an item row opens nothing.
    if (model_.CanOpenPicked()) GoOn(Next::AssignTypeModeless);
    return 0;
  }
  return std::nullopt;
}

void AssignmentsDialog::Picked(int item) {
  const std::optional<LPARAM> row = list_.DataOf(item);
  if (!row || static_cast<std::size_t>(*row) >= rows_.size()) return;
  Enable(IDC_AL_EDIT, model_.Pick(rows_[static_cast<std::size_t>(*row)].key));
}

void AssignmentsDialog::GoOn(Next next) {
  next_ = next;
  Close(IDOK);
}

}  // namespace keylark::dialogs::win
