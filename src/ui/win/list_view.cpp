#include "ui/win/list_view.h"

#include <vector>

namespace keylark::ui::win {

void ListView::SetExtendedStyle(DWORD style) const {
  SendMessageA(control_, LVM_SETEXTENDEDLISTVIEWSTYLE, style, style);
}

void ListView::SetSmallImages(HIMAGELIST images) const {
  SendMessageA(control_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

void ListView::SetLargeImages(HIMAGELIST images) const {
  SendMessageA(control_, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
}

void ListView::ShowIcons(bool large) const {
  const LONG_PTR style = GetWindowLongPtrA(control_, GWL_STYLE);
  const LONG_PTR view = large ? (LVS_ICON | LVS_ALIGNTOP) : (LVS_SMALLICON | LVS_ALIGNLEFT);
  SetWindowLongPtrA(control_, GWL_STYLE, (style & ~(LVS_TYPEMASK | LVS_ALIGNMASK)) | view);
  SendMessageA(control_, LVM_ARRANGE, LVA_DEFAULT, 0);
  // A new style alone leaves the old view's pictures on the screen.
  InvalidateRect(control_, nullptr, TRUE);
}

void ListView::SetBackground(COLORREF colour) const {
  SendMessageA(control_, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(colour));
  SendMessageA(control_, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(colour));
}

void ListView::AddColumn(int width_pixels) const {
  LVCOLUMNA column{};
  column.mask = LVCF_WIDTH;
  column.cx = width_pixels;
  SendMessageA(control_, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
}

void ListView::Clear() const { SendMessageA(control_, LVM_DELETEALLITEMS, 0, 0); }

void ListView::AddRow(const std::string& text, int image, LPARAM data) const {
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = Count();
  item.pszText = const_cast<char*>(text.c_str());  // only read
  item.iImage = image;
  item.lParam = data;
  SendMessageA(control_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

std::optional<LPARAM> ListView::DataOf(int item) const {
  LVITEMA row{};
  row.mask = LVIF_PARAM;
  row.iItem = item;
  if (item < 0 || SendMessageA(control_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&row)) == 0) {
    return std::nullopt;
  }
  return row.lParam;
}

void ListView::RedrawItems(int first, int last) const {
  SendMessageA(control_, LVM_REDRAWITEMS, static_cast<WPARAM>(first), static_cast<LPARAM>(last));
}

int ListView::Selected() const {
  return static_cast<int>(
      SendMessageA(control_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int ListView::Count() const {
  return static_cast<int>(SendMessageA(control_, LVM_GETITEMCOUNT, 0, 0));
}

std::string ListView::TextOf(int item) const {
  std::vector<char> text(1024, '\0');
  LVITEMA row{};
  row.iSubItem = 0;
  row.pszText = text.data();
  row.cchTextMax = static_cast<int>(text.size());
  SendMessageA(control_, LVM_GETITEMTEXTA, static_cast<WPARAM>(item),
               reinterpret_cast<LPARAM>(&row));
  return text.data();
}

}  // namespace keylark::ui::win
