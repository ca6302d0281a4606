// The key bar's client area: the keyboard picture, a persistent layer of
// popup marks, and the 24 labels painted over them. Marks live in a memory
// bitmap, so marks drawn while the window is hidden or covered are there when
// it shows; clearing restores the picture and nothing else.
#pragma once

#include <windows.h>

#include <array>

#include "app/key_bar_layout.h"
#include "app/key_bar_model.h"
#include "platform/win32/owned_handles.h"

namespace keylark::app::win {

class KeyBarSurface {
 public:
  KeyBarSurface() = default;
  KeyBarSurface(const KeyBarSurface&) = delete;
  KeyBarSurface& operator=(const KeyBarSurface&) = delete;

  // Draws the keyboard picture and makes the layer of marks over it.
  bool Create(HWND window);
  // The labels' font, for the screen's resolution.
  void SetLabelFont(int font_points, int logical_pixels_per_inch);
  void Destroy();

  // Removes every mark; the picture and the labels stay.
  void Clear();
  // A small right triangle in the top-left corner of a label: six rows of
  // 6, 5, ... 1 pixels.
  void DrawPopupMark(int left, int top);

  void SetLabelColor(int index, Color color) { colors_[static_cast<std::size_t>(index)] = color; }
  Color LabelColor(int index) const { return colors_[static_cast<std::size_t>(index)]; }

  void Paint(HDC target, const RECT& client) const;

 private:
  HWND window_ = nullptr;
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
