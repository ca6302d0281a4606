#include "ui/win/fonts.h"

#include <cstring>

namespace keylark::ui::win {
namespace {

int CALLBACK StopAtFirstFont(const LOGFONTA* /*font*/, const TEXTMETRICA* /*metrics*/,
                             DWORD /*type*/, LPARAM found_flag) {
  *reinterpret_cast<bool*>(found_flag) = true;
  return 0;  // one is enough
}

bool SystemHasFace(const char* face) {
  HDC screen = GetDC(nullptr);
  LOGFONTA wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  EnumFontFamiliesExA(screen, &wanted, StopAtFirstFont, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

// The face of the font the window itself uses.
void FallbackFace(HWND window, char (&face)[LF_FACESIZE]) {
  auto* font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  LOGFONTA current{};
  if (font == nullptr || GetObjectA(font, sizeof current, &current) == 0) {
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof current, &current);
  }
  lstrcpynA(face, current.lfFaceName, LF_FACESIZE);
}

}  // namespace

platform::win32::Font DesignFont(HWND window, const char* face, int hundredths_of_a_point) {
  LOGFONTA font{};
  HDC dc = GetDC(window);
  font.lfHeight = -MulDiv(hundredths_of_a_point, GetDeviceCaps(dc, LOGPIXELSY), 7200);
  ReleaseDC(window, dc);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  if (SystemHasFace(face)) {
    lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
  } else {
    FallbackFace(window, font.lfFaceName);
  }
  return platform::win32::Font(CreateFontIndirectA(&font));
}

}  // namespace keylark::ui::win
