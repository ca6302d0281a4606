#include "ui/win/tree_view.h"

namespace keylark::ui::win {

void TreeView::SetImages(HIMAGELIST images) const {
  SendMessageA(control_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
}

void TreeView::Clear() const {
  SendMessageA(control_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

HTREEITEM TreeView::Add(HTREEITEM parent, const std::string& text, int image, LPARAM data) const {
  TVINSERTSTRUCTA insert{};
  insert.hParent = parent != nullptr ? parent : TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  insert.item.pszText = const_cast<char*>(text.c_str());  // only read
  insert.item.iImage = image;
  insert.item.iSelectedImage = image;
  insert.item.lParam = data;
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(control_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void TreeView::SetImage(HTREEITEM node, int image) const {
  TVITEMA item{};
  item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  item.hItem = node;
  item.iImage = image;
  item.iSelectedImage = image;
  SendMessageA(control_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

std::optional<LPARAM> TreeView::DataOf(HTREEITEM node) const {
  if (node == nullptr) return std::nullopt;
  TVITEMA item{};
  item.mask = TVIF_HANDLE | TVIF_PARAM;
  item.hItem = node;
  if (SendMessageA(control_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) == 0) {
    return std::nullopt;
  }
  return item.lParam;
}

HTREEITEM TreeView::Selected() const {
  return reinterpret_cast<HTREEITEM>(SendMessageA(control_, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

HTREEITEM TreeView::ItemAt(DWORD screen_point) const {
  TVHITTESTINFO hit{};
  hit.pt = {static_cast<short>(LOWORD(screen_point)), static_cast<short>(HIWORD(screen_point))};
  ScreenToClient(control_, &hit.pt);
  SendMessageA(control_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return (hit.flags & TVHT_ONITEM) != 0 ? hit.hItem : nullptr;
}

void TreeView::Select(HTREEITEM node) const {
  SendMessageA(control_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
}

int TreeView::Count() const { return static_cast<int>(SendMessageA(control_, TVM_GETCOUNT, 0, 0)); }

}  // namespace keylark::ui::win
