// The key bar's client area: the keyboard picture, a persistent layer of
// popup marks, and the 24 labels painted over them. Marks live in a memory
// bitmap, so marks drawn while the window is hidden or covered are there when
// it shows; clearing restores the picture and nothing else.
#pragma once

#include <windows.h>

#include <array>

#include "app/key_bar_geometry.h"
#include "app/key_bar_model.h"
#include "platform/win32/owned_handles.h"

namespace keylark::app::win {

class KeyBarSurface {
 public:
  KeyBarSurface() = default;
  KeyBarSurface(const KeyBarSurface&) = delete;
  KeyBarSurface& operator=(const KeyBarSurface&) = delete;

  // Draws the keyboard picture at the geometry's scale and makes the layer
  // of marks over it (without any mark).
  bool Create(HWND window, const KeyBarGeometry& geometry);
  // The labels' font for the geometry's resolution; the picture stays.
  void SetLabelFont(const KeyBarGeometry& geometry);
  const KeyBarGeometry& Geometry() const { return geometry_; }
  void Destroy();

  // Removes every mark; the picture and the labels stay.
  void Clear();
  // A small right triangle in the top-left corner of a label: at design size
  // six rows of 6, 5, ... 1 pixels.
  void DrawPopupMark(int index);

  void SetLabelColor(int index, Color color) { colors_[static_cast<std::size_t>(index)] = color; }
  Color LabelColor(int index) const { return colors_[static_cast<std::size_t>(index)]; }

  void Paint(HDC target, const RECT& client) const;

 private:
  HWND window_ = nullptr;
  KeyBarGeometry geometry_ = KeyBarGeometry::For(kDesignPixelsPerInch, false);
  platform::win32::Bitmap picture_;
  platform::win32::Bitmap layer_;  // picture + marks
  platform::win32::Font font_;
  std::array<Color, core::kKeyCount> colors_ = MakeWhite();

  static std::array<Color, core::kKeyCount> MakeWhite() {
    std::array<Color, core::kKeyCount> colors;
    colors.fill(kUnassignedColor);
    return colors;
  }
};

}  // namespace keylark::app::win
