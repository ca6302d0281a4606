#include "i18n/win/control_kinds.h"

#include <array>

namespace keylark::i18n::win {
namespace {

// The window classes of the forms and the kinds the font rules name. A class
// whose kind depends on its style lists the styles that make each kind
// (`style_mask` selects the bits that tell them apart); a class not listed,
// or a style not listed, is Other and keeps its font.
//
//   class          style (under style_mask)          kind
//   Static         SS_LEFT to SS_RIGHT, SS_SIMPLE,   Label
//                  SS_LEFTNOWORDWRAP
//   Button         BS_PUSHBUTTON, BS_DEFPUSHBUTTON   CommandButton
//   Button         BS_CHECKBOX, BS_AUTOCHECKBOX,     CheckBox
//                  BS_3STATE, BS_AUTO3STATE
//   Button         BS_GROUPBOX                       Frame
//   Edit           any                               TextBox
//   SysListView32  any                               ListView
//   SysTreeView32  any                               TreeView
//
// Pictures (Static with SS_ICON or SS_BITMAP) and the owner-drawn view
// buttons of the explorer show no text and stay Other.
struct KindRow {
  const char* window_class;
  DWORD style_mask;
  DWORD style_low;   // first style value of the row, under the mask
  DWORD style_high;  // last one
  ControlKind kind;
};

constexpr std::array kKinds{
    KindRow{"Static", SS_TYPEMASK, SS_LEFT, SS_RIGHT, ControlKind::Label},
    KindRow{"Static", SS_TYPEMASK, SS_SIMPLE, SS_LEFTNOWORDWRAP, ControlKind::Label},
    KindRow{"Button", BS_TYPEMASK, BS_PUSHBUTTON, BS_DEFPUSHBUTTON, ControlKind::CommandButton},
    KindRow{"Button", BS_TYPEMASK, BS_CHECKBOX, BS_AUTOCHECKBOX, ControlKind::CheckBox},
    KindRow{"Button", BS_TYPEMASK, BS_3STATE, BS_AUTO3STATE, ControlKind::CheckBox},
    KindRow{"Button", BS_TYPEMASK, BS_GROUPBOX, BS_GROUPBOX, ControlKind::Frame},
    KindRow{"Edit", 0, 0, 0, ControlKind::TextBox},
    KindRow{"SysListView32", 0, 0, 0, ControlKind::ListView},
    KindRow{"SysTreeView32", 0, 0, 0, ControlKind::TreeView},
};

}  // namespace

ControlKind ControlKindOf(HWND control) {
  char window_class[64] = {};
  if (GetClassNameA(control, window_class, sizeof window_class) == 0) return ControlKind::Other;
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
  for (const KindRow& row : kKinds) {
    if (lstrcmpiA(window_class, row.window_class) != 0) continue;
    const DWORD type = style & row.style_mask;
    if (type >= row.style_low && type <= row.style_high) return row.kind;
  }
  return ControlKind::Other;
}

}  // namespace keylark::i18n::win
