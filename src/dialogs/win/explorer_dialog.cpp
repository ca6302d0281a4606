#include "dialogs/win/explorer_dialog.h"

#include <utility>

#include "platform/win32/common_controls.h"
#include "ui/icon_sizes.h"
#include "platform/win32/window_dpi.h"
#include "ui/win/icons.h"
#include "ui/win/redraw_pause.h"
#include "resource.h"

namespace keylark::dialogs::win {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int kClosedFolder = 0;
constexpr int kOpenFolder = 1;
constexpr UINT_PTR kIconTimer = 1;
constexpr UINT kScaleChanged = WM_APP + 1;
// A small folder shows complete at once; a large one fills in slices
// between which the window repaints and takes input, so that Cancel and the
// next click take effect within a tenth of a second.
constexpr milliseconds kFirstSlice(60);
constexpr milliseconds kLaterSlice(40);

enum ViewPicture { kLargeUp, kLargeDown, kSmallUp, kSmallDown };

HICON LoadPicture(int id, int width, int height) {
  return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON,
                                       width, height, LR_DEFAULTCOLOR));
}

// The tree and the list send their notifications in the window's ANSI form;
// the wide codes are taken as well, as a control may answer in either.
bool Is(UINT code, UINT ansi, UINT wide) { return code == ansi || code == wide; }

}  // namespace

ExplorerDialog::~ExplorerDialog() { ReleasePictures(); }

bool ExplorerDialog::OnInit() {
  SetText(IDC_EX_KEY, model_.KeyName());
  Enable(IDOK, false);
  tree_view_ = ui::win::TreeView(Item(IDC_EX_TREE));
  list_ = ui::win::ListView(Item(IDC_EX_LIST));
  list_.SetBackground(GetSysColor(COLOR_WINDOW));
  LoadPictures();
  ShowLargeIcons(true);
  FillTree();
  // A tree that takes the focus selects its first folder by itself. That is
  // no choice of the user's: OK stays disabled until a click, an arrow key
  // or the space bar chooses a folder, this one included.
  SetFocus(tree_view_.Handle());
  opened_ = true;
  return false;
}

void ExplorerDialog::LoadPictures() {
  // The tree's folders and the list's files at the window's scale.
  const int pixels_per_inch = platform::win32::WindowPixelsPerInch(hwnd());
  const int small_size = ui::SmallIconSizeFor(pixels_per_inch);
  folder_icons_ =
      platform::win32::CreateImageList(small_size, small_size, ILC_COLOR32 | ILC_MASK, 2, 0);
  for (const int id : {IDI_FOLDER_CLOSED, IDI_FOLDER_OPEN}) {
    HICON icon = LoadPicture(id, small_size, small_size);
    if (folder_icons_ != nullptr && icon != nullptr) {
      platform::win32::AddIconToImageList(folder_icons_, icon);
    }
    if (icon != nullptr) DestroyIcon(icon);
  }
  tree_view_.SetImages(folder_icons_);

  RECT button{};
  GetClientRect(Item(IDC_EX_LARGE), &button);
  const int ids[] = {IDI_VIEW_LARGE_UP, IDI_VIEW_LARGE_DOWN, IDI_VIEW_SMALL_UP,
                     IDI_VIEW_SMALL_DOWN};
  for (std::size_t i = 0; i < view_pictures_.size(); ++i) {
    view_pictures_[i] = LoadPicture(ids[i], button.right, button.bottom);
  }

  file_icons_ = std::make_unique<platform::win32::ShellIconLists>(
      ui::LargeIconSizeFor(pixels_per_inch), small_size);
  list_.SetLargeImages(file_icons_->Large());
  list_.SetSmallImages(file_icons_->Small());
}

void ExplorerDialog::ReleasePictures() {
  StopFetching();
  if (folder_icons_ != nullptr) {
    platform::win32::DestroyImageList(folder_icons_);
    folder_icons_ = nullptr;
  }
  for (HICON& picture : view_pictures_) {
    if (picture != nullptr) DestroyIcon(picture);
    picture = nullptr;
  }
  // The list shares the file pictures and does not destroy them.
  file_icons_.reset();
}

void ExplorerDialog::OnClosed() { ReleasePictures(); }

void ExplorerDialog::ReloadPictures() {
  // The controls keep the old pictures until they have the new ones.
  StopFetching();
  const std::unique_ptr<platform::win32::ShellIconLists> old_files = std::move(file_icons_);
  HIMAGELIST old_folders = std::exchange(folder_icons_, nullptr);
  const std::array<HICON, 4> old_views = std::exchange(view_pictures_, {});
  LoadPictures();
  if (old_folders != nullptr) platform::win32::DestroyImageList(old_folders);
  for (HICON picture : old_views) {
    if (picture != nullptr) DestroyIcon(picture);
  }
  ShowLargeIcons(large_view_);
  if (listing_ != nullptr) FetchAllIcons();
}

void ExplorerDialog::FillTree() {
  tree_ = model_.LoadTree(folders_);
  std::unordered_map<std::string, HTREEITEM> added;
  const ui::win::RedrawPause quiet(tree_view_.Handle());
  for (std::size_t i = 0; i < tree_.Nodes().size(); ++i) {
    const FolderNode& node = tree_.Nodes()[i];
    HTREEITEM parent = nullptr;
    if (!node.parent_key.empty()) {
      const auto found = added.find(node.parent_key);
      if (found == added.end()) continue;
      parent = found->second;
    }
    HTREEITEM item = tree_view_.Add(parent, node.text, kClosedFolder, static_cast<LPARAM>(i));
    if (item != nullptr) added.emplace(node.key, item);
  }
}

void ExplorerDialog::ChooseSelectedFolder() {
  HTREEITEM selected = tree_view_.Selected();
  if (selected != nullptr && selected != shown_folder_) ShowFolder(selected);
}

void ExplorerDialog::ShowFolder(HTREEITEM node) {
  const std::optional<LPARAM> index = tree_view_.DataOf(node);
  if (!index || static_cast<std::size_t>(*index) >= tree_.Nodes().size()) return;
  shown_folder_ = node;
  StopFetching();
  Enable(IDOK, false);
  listing_ = &model_.ChooseFolder(tree_.Nodes()[static_cast<std::size_t>(*index)]);
  {
    const ui::win::ListView::Batch batch(list_);
    list_.Clear();
    for (std::size_t i = 0; i < listing_->Items().size(); ++i) {
      list_.AddRow(listing_->Items()[i].caption, I_IMAGECALLBACK, static_cast<LPARAM>(i));
    }
  }
  FetchAllIcons();
  UpdateOk();
}

void ExplorerDialog::FetchAllIcons() {
  images_.assign(listing_->Items().size(), I_IMAGENONE);
  next_icon_ = 0;
  if (!FetchIcons(kFirstSlice)) {
    fetching_ = true;
    SetTimer(hwnd(), kIconTimer, USER_TIMER_MINIMUM, nullptr);
  }
}

bool ExplorerDialog::FetchIcons(milliseconds budget) {
  if (listing_ == nullptr) return true;
  const Clock::time_point end = Clock::now() + budget;
  const auto& items = listing_->Items();
  const std::size_t first = next_icon_;
  while (next_icon_ < items.size()) {
    const int image = file_icons_->IndexOf(items[next_icon_].Path());
    if (image >= 0) images_[next_icon_] = image;
    ++next_icon_;
    if (Clock::now() >= end) break;
  }
  // Only these items are drawn again: the whole list would ask for every
  // picture anew each slice.
  if (next_icon_ > first) {
    list_.RedrawItems(static_cast<int>(first), static_cast<int>(next_icon_ - 1));
  }
  return next_icon_ >= items.size();
}

void ExplorerDialog::StopFetching() {
  if (fetching_ && hwnd() != nullptr) KillTimer(hwnd(), kIconTimer);
  fetching_ = false;
}

void ExplorerDialog::ShowFile(int item) {
  const std::optional<LPARAM> index = list_.DataOf(item);
  if (listing_ == nullptr || !index ||
      static_cast<std::size_t>(*index) >= listing_->Items().size()) {
    return;
  }
  model_.ChooseFile(listing_->Items()[static_cast<std::size_t>(*index)]);
  UpdateOk();
}

void ExplorerDialog::UpdateOk() const { Enable(IDOK, model_.CanConfirm()); }

void ExplorerDialog::ShowLargeIcons(bool large) {
  large_view_ = large;
  list_.ShowIcons(large);
  InvalidateRect(Item(IDC_EX_LARGE), nullptr, FALSE);
  InvalidateRect(Item(IDC_EX_SMALL), nullptr, FALSE);
}

void ExplorerDialog::DrawViewButton(const DRAWITEMSTRUCT& item) const {
  const bool large_button = item.CtlID == IDC_EX_LARGE;
  // The button of the view shown is the pressed one.
  const bool down = large_button == large_view_;
  HICON picture = view_pictures_[large_button ? (down ? kLargeDown : kLargeUp)
                                              : (down ? kSmallDown : kSmallUp)];
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  if (picture != nullptr) {
    DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top, picture,
               item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top, 0,
               nullptr, DI_NORMAL);
  }
  if ((item.itemState & ODS_FOCUS) != 0) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(item.hDC, &focus);
  }
}

void ExplorerDialog::OnOk() {
  if (!model_.CanConfirm()) return;
  StopFetching();
  outcome_ = model_.Ok();
  accepted_ = true;
  Close(IDOK);
}

bool ExplorerDialog::OnCommand(int id, int notification) {
  if (notification != BN_CLICKED || (id != IDC_EX_LARGE && id != IDC_EX_SMALL)) return false;
  // Either button switches to the other view, as each shows the state.
  ShowLargeIcons(!large_view_);
  return true;
}

std::optional<LRESULT> ExplorerDialog::OnNotify(const NMHDR& header) {
  if (header.idFrom == IDC_EX_TREE) {
    const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
    if (Is(header.code, TVN_SELCHANGEDA, TVN_SELCHANGEDW)) {
      if (opened_) ShowFolder(change.itemNew.hItem);
      return 0;
    }
    if (header.code == NM_CLICK && tree_view_.ItemAt(GetMessagePos()) == tree_view_.Selected()) {
      ChooseSelectedFolder();  // the folder selected as the tree took the focus
      return 0;
    }
    if (header.code == TVN_KEYDOWN &&
        reinterpret_cast<const NMTVKEYDOWN&>(header).wVKey == VK_SPACE) {
      ChooseSelectedFolder();
      return 0;
    }
    if (Is(header.code, TVN_ITEMEXPANDEDA, TVN_ITEMEXPANDEDW)) {
      const bool open = (change.action & TVE_EXPAND) != 0;
      tree_view_.SetImage(change.itemNew.hItem, open ? kOpenFolder : kClosedFolder);
      return 0;
    }
  } else if (header.idFrom == IDC_EX_LIST) {
    if (header.code == LVN_ITEMCHANGED) {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      const bool now_selected =
          (change.uNewState & LVIS_SELECTED) != 0 && (change.uOldState & LVIS_SELECTED) == 0;
      if ((change.uChanged & LVIF_STATE) != 0 && now_selected) ShowFile(change.iItem);
      return 0;
    }
    if (Is(header.code, LVN_GETDISPINFOA, LVN_GETDISPINFOW)) {
      // Only the picture is asked for; both forms of the record keep it
      // at the same place.
      auto& shown = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header));
      const auto index = static_cast<std::size_t>(shown.item.iItem);
      if ((shown.item.mask & LVIF_IMAGE) != 0) {
        shown.item.iImage = index < images_.size() ? images_[index] : I_IMAGENONE;
      }
      return 0;
    }
    if (header.code == LVN_ITEMACTIVATE) {
      OnOk();  // a double click or Enter on a file
      return 0;
    }
  }
  return std::nullopt;
}

std::optional<INT_PTR> ExplorerDialog::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DPICHANGED) {
    // Moved to a monitor of another scale: the pictures follow once the
    // system has moved and scaled the dialog and its controls.
    PostMessageA(hwnd(), kScaleChanged, 0, 0);
    return std::nullopt;
  }
  if (message == kScaleChanged) {
    ReloadPictures();
    return TRUE;
  }
  if (message == WM_TIMER && wparam == kIconTimer) {
    if (FetchIcons(kLaterSlice)) StopFetching();
    return TRUE;
  }
  if (message == WM_DRAWITEM) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
    if (item.CtlID != IDC_EX_LARGE && item.CtlID != IDC_EX_SMALL) return std::nullopt;
    DrawViewButton(item);
    return TRUE;
  }
  return std::nullopt;
}

}  // namespace keylark::dialogs::win
