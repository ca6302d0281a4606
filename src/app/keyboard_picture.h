// The key bar's background: a keyboard section with the 24 Fn keys as dark
// caps under their labels, drawn when the key bar loads rather than carried
// as a bitmap file (it is six colours on 318 x 160 pixels, and drawn again,
// edge for edge, at any scale).
#pragma once

#include <cstdint>
#include <vector>

#include "app/key_bar_geometry.h"

namespace keylark::app {

// 24-bit colours as 0x00RRGGBB.
using PictureColor = std::uint32_t;
inline constexpr PictureColor kPictureBackground = 0x8486A5;  // RGB(132, 134, 165)
inline constexpr PictureColor kFnKeyCapColor = 0x6B6994;      // RGB(107, 105, 148)

struct KeyboardPicture {
  int width = 0;
  int height = 0;
  std::vector<PictureColor> pixels;  // rows from the top, left to right

  PictureColor At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
};

// The keyboard at the geometry's scale (the 318 x 160 design by default).
KeyboardPicture DrawKeyboard(const KeyBarGeometry& geometry = KeyBarGeometry::For(96, false));

}  // namespace keylark::app
