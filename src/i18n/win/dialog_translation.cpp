#include "i18n/win/dialog_translation.h"

#include <cstring>

#include "i18n/forms.h"
#include "i18n/win/control_kinds.h"

namespace keylark::i18n::win {
namespace {

static_assert(kOkButton == IDOK && kCancelButton == IDCANCEL && kHelpButton == IDHELP);

std::vector<HWND> DirectChildren(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

LOGFONTA CurrentFont(HWND control) {
  LOGFONTA font{};
  auto* current = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  if (current == nullptr || GetObjectA(current, sizeof font, &font) == 0) {
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  }
  return font;
}

int PixelHeightOfPoints(HWND control, int points) {
  HDC dc = GetDC(control);
  const int pixels_per_inch = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc != nullptr) ReleaseDC(control, dc);
  return -MulDiv(points, pixels_per_inch, 72);
}

bool SameFont(HFONT font, const LOGFONTA& wanted) {
  LOGFONTA existing{};
  return GetObjectA(font, sizeof existing, &existing) == sizeof existing &&
         existing.lfHeight == wanted.lfHeight && existing.lfCharSet == wanted.lfCharSet &&
         existing.lfWeight == wanted.lfWeight && existing.lfItalic == wanted.lfItalic &&
         lstrcmpA(existing.lfFaceName, wanted.lfFaceName) == 0;
}

}  // namespace

DialogSurface::DialogSurface(HWND dialog, DialogFonts& fonts)
    : dialog_(dialog), controls_(DirectChildren(dialog)), fonts_(fonts) {}

int DialogSurface::ControlCount() const { return static_cast<int>(controls_.size()); }

ControlKind DialogSurface::KindOf(int control) const {
  return ControlKindOf(controls_[static_cast<std::size_t>(control)]);
}

void DialogSurface::SetFont(int control, const FontChange& font) {
  HWND window = controls_[static_cast<std::size_t>(control)];
  HFONT changed = FontFor(window, font);
  if (changed != nullptr)
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(changed), FALSE);
}

// The control's font with the change applied; controls that end up with the
// same font share one.
HFONT DialogSurface::FontFor(HWND control, const FontChange& change) {
  LOGFONTA wanted = CurrentFont(control);
  lstrcpynA(wanted.lfFaceName, change.face.c_str(), LF_FACESIZE);
  wanted.lfCharSet = static_cast<BYTE>(change.char_set);
  if (change.points) {
    wanted.lfHeight = PixelHeightOfPoints(control, *change.points);
    wanted.lfWidth = 0;
  }
  for (const platform::win32::Font& font : fonts_) {
    if (SameFont(font.Get(), wanted)) return font.Get();
  }
  platform::win32::Font created(CreateFontIndirectA(&wanted));
  if (!created) return nullptr;
  return fonts_.emplace_back(std::move(created)).Get();
}

void DialogSurface::SetCaption(const CaptionTarget& target, const std::string& text) {
  if (target.kind == CaptionTarget::Kind::Window) {
    SetWindowTextA(dialog_, text.c_str());
  } else if (target.kind == CaptionTarget::Kind::Control) {
    SetDlgItemTextA(dialog_, target.id, text.c_str());
  }
}

bool TranslateDialog(HWND dialog, int template_id, core::Session& session,
                     platform::ResourceLibrary& library, DialogFonts& fonts) {
  const DialogForm* form = FormOfDialog(template_id);
  if (form == nullptr) return false;
  DialogSurface surface(dialog, fonts);
  form->translate(session, library, surface);
  return true;
}

}  // namespace keylark::i18n::win
