#include "app/win/key_bar_surface.h"

#include "app/keyboard_picture.h"

namespace keylark::app::win {

using platform::win32::Bitmap;
using platform::win32::Brush;
using platform::win32::Font;
using platform::win32::MemoryDc;
using platform::win32::Selected;

namespace {

MemoryDc ScreenCompatibleDc() { return MemoryDc(CreateCompatibleDC(nullptr)); }

// The keyboard as a 24-bit bitmap, rows from the top.
Bitmap PictureBitmap(const KeyboardPicture& picture) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return Bitmap();
  const int stride = (picture.width * 3 + 3) / 4 * 4;
  auto* rows = static_cast<std::uint8_t*>(bits);
  for (int y = 0; y < picture.height; ++y) {
    std::uint8_t* pixel = rows + static_cast<std::ptrdiff_t>(y) * stride;
    for (int x = 0; x < picture.width; ++x) {
      const PictureColor colour = picture.At(x, y);
      *pixel++ = static_cast<std::uint8_t>(colour);  // blue, green, red
      *pixel++ = static_cast<std::uint8_t>(colour >> 8);
      *pixel++ = static_cast<std::uint8_t>(colour >> 16);
    }
  }
  GdiFlush();
  return bitmap;
}

}  // namespace

bool KeyBarSurface::Create(HWND window, const KeyBarGeometry& geometry) {
  layer_.Reset();
  picture_.Reset();
  window_ = window;
  geometry_ = geometry;
  picture_ = PictureBitmap(DrawKeyboard(geometry));
  HDC screen = GetDC(nullptr);
  layer_.Reset(CreateCompatibleBitmap(screen, geometry.PictureWidth(), geometry.PictureHeight()));
  ReleaseDC(nullptr, screen);
  Clear();
  return layer_.IsValid();
}

void KeyBarSurface::SetLabelFont(const KeyBarGeometry& geometry) {
  font_.Reset(CreateFontA(-geometry.FontPixelHeight(), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
}

void KeyBarSurface::Destroy() {
  layer_.Reset();
  picture_.Reset();
  font_.Reset();
  window_ = nullptr;
}

void KeyBarSurface::Clear() {
  if (!layer_) return;
  const MemoryDc layer_dc = ScreenCompatibleDc();
  const Selected into_layer(layer_dc.Get(), layer_.Get());
  const int width = geometry_.PictureWidth();
  const int height = geometry_.PictureHeight();
  if (!picture_) {
    RECT all{0, 0, width, height};
    FillRect(layer_dc.Get(), &all, GetSysColorBrush(COLOR_BTNFACE));
  } else {
    const MemoryDc picture_dc = ScreenCompatibleDc();
    const Selected from_picture(picture_dc.Get(), picture_.Get());
    BitBlt(layer_dc.Get(), 0, 0, width, height, picture_dc.Get(), 0, 0, SRCCOPY);
  }
  if (window_ != nullptr) InvalidateRect(window_, nullptr, FALSE);
}

void KeyBarSurface::DrawPopupMark(int index) {
  if (!layer_) return;
  const MemoryDc layer_dc = ScreenCompatibleDc();
  const Selected into_layer(layer_dc.Get(), layer_.Get());
  const Brush red(CreateSolidBrush(PopupMarkColor));
  const PixelBox label = geometry_.Label(index);
  const int size = geometry_.PopupMarkSize();
  for (int row = 0; row < size; ++row) {
    RECT line{label.left, label.top + row, label.left + size - row, label.top + row + 1};
    FillRect(layer_dc.Get(), &line, red.Get());
  }
  if (window_ != nullptr) InvalidateRect(window_, nullptr, FALSE);
}

void KeyBarSurface::Paint(HDC target, const RECT& client) const {
  // Composed off screen and copied in one go, so nothing flickers.
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  const MemoryDc frame_dc = ScreenCompatibleDc();
  const Bitmap frame(CreateCompatibleBitmap(target, width, height));
  {
    const Selected into_frame(frame_dc.Get(), frame.Get());
    FillRect(frame_dc.Get(), &client, GetSysColorBrush(COLOR_BTNFACE));
    if (layer_) {
      const MemoryDc layer_dc = ScreenCompatibleDc();
      const Selected from_layer(layer_dc.Get(), layer_.Get());
      BitBlt(frame_dc.Get(), 0, 0, geometry_.PictureWidth(), geometry_.PictureHeight(),
             layer_dc.Get(), 0, 0, SRCCOPY);
    }
    const Selected font(frame_dc.Get(), font_ ? static_cast<HGDIOBJ>(font_.Get())
                                              : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(frame_dc.Get(), TRANSPARENT);
    for (int i = 0; i < core::kKeyCount; ++i) {
      const PixelBox box = geometry_.Label(i);
      RECT label{box.left, box.top, box.right, box.bottom};
      char caption[2] = {core::kKeys[static_cast<std::size_t>(i)].character, '\0'};
      SetTextColor(frame_dc.Get(), colors_[static_cast<std::size_t>(i)]);
      DrawTextA(frame_dc.Get(), caption, 1, &label,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    BitBlt(target, 0, 0, width, height, frame_dc.Get(), 0, 0, SRCCOPY);
  }
}

}  // namespace keylark::app::win
