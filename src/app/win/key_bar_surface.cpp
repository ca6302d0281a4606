#include "app/win/key_bar_surface.h"

namespace keylark::app::win {
namespace {

// Selects a GDI object into a DC for one scope.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selected() { SelectObject(dc_, previous_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A memory DC compatible with the screen, deleted at scope end.
class MemoryDc {
 public:
  MemoryDc() : dc_(CreateCompatibleDC(nullptr)) {}
  ~MemoryDc() {
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace

KeyBarSurface::~KeyBarSurface() { Destroy(); }

bool KeyBarSurface::Create(HWND window, HBITMAP picture, int font_points,
                           int logical_pixels_per_inch) {
  Destroy();
  window_ = window;
  picture_ = picture;
  HDC screen = GetDC(nullptr);
  layer_ = CreateCompatibleBitmap(screen, kPictureWidth, kPictureHeight);
  ReleaseDC(nullptr, screen);
  font_ = CreateFontA(-MulDiv(font_points, logical_pixels_per_inch, 72), 0, 0, 0, FW_BOLD, FALSE,
                      FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                      DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
  Clear();
  return layer_ != nullptr;
}

void KeyBarSurface::Destroy() {
  if (layer_ != nullptr) DeleteObject(layer_);
  if (picture_ != nullptr) DeleteObject(picture_);
  if (font_ != nullptr) DeleteObject(font_);
  layer_ = nullptr;
  picture_ = nullptr;
  font_ = nullptr;
}

void KeyBarSurface::Clear() {
  if (layer_ == nullptr) return;
  MemoryDc layer_dc;
  const Selected into_layer(layer_dc.get(), layer_);
  if (picture_ == nullptr) {
    RECT all{0, 0, kPictureWidth, kPictureHeight};
    FillRect(layer_dc.get(), &all, GetSysColorBrush(COLOR_BTNFACE));
  } else {
    MemoryDc picture_dc;
    const Selected from_picture(picture_dc.get(), picture_);
    BitBlt(layer_dc.get(), 0, 0, kPictureWidth, kPictureHeight, picture_dc.get(), 0, 0, SRCCOPY);
  }
  if (window_ != nullptr) InvalidateRect(window_, nullptr, FALSE);
}

void KeyBarSurface::DrawPopupMark(int left, int top) {
  if (layer_ == nullptr) return;
  MemoryDc layer_dc;
  const Selected into_layer(layer_dc.get(), layer_);
  HBRUSH red = CreateSolidBrush(PopupMarkColor);
  for (int row = 0; row <= 5; ++row) {
    RECT line{left, top + row, left + 6 - row, top + row + 1};
    FillRect(layer_dc.get(), &line, red);
  }
  DeleteObject(red);
  if (window_ != nullptr) InvalidateRect(window_, nullptr, FALSE);
}

void KeyBarSurface::Paint(HDC target, const RECT& client) const {
  // Composed off screen and copied in one go, so nothing flickers.
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  MemoryDc frame_dc;
  HBITMAP frame = CreateCompatibleBitmap(target, width, height);
  {
    const Selected into_frame(frame_dc.get(), frame);
    FillRect(frame_dc.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
    if (layer_ != nullptr) {
      MemoryDc layer_dc;
      const Selected from_layer(layer_dc.get(), layer_);
      BitBlt(frame_dc.get(), 0, 0, kPictureWidth, kPictureHeight, layer_dc.get(), 0, 0, SRCCOPY);
    }
    const Selected font(frame_dc.get(),
                        font_ != nullptr ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(frame_dc.get(), TRANSPARENT);
    for (int i = 0; i < core::kKeyCount; ++i) {
      const LabelPosition& p = kLabelPositions[static_cast<std::size_t>(i)];
      RECT label{p.left, p.top, p.left + kLabelSize, p.top + kLabelSize};
      char caption[2] = {core::kKeys[static_cast<std::size_t>(i)].character, '\0'};
      SetTextColor(frame_dc.get(), colors_[static_cast<std::size_t>(i)]);
      DrawTextA(frame_dc.get(), caption, 1, &label,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    BitBlt(target, 0, 0, width, height, frame_dc.get(), 0, 0, SRCCOPY);
  }
  DeleteObject(frame);
}

}  // namespace keylark::app::win
