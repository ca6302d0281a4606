// The key bar's geometry at a window's resolution: the picture's size, where
// each label sits and how large, the label font and the popup mark. Without
// "Scale With Display" everything keeps the pixel sizes of the design (only
// the font follows the start-up rule); with it, every length of the design is
// multiplied by dpi / 96 through one rounding, so caps, labels, marks and
// hit-testing stay on the same edges.
#pragma once

#include <array>

#include "app/key_bar_layout.h"
#include "ui/design_scale.h"

namespace keylark::app {

using ui::kDesignPixelsPerInch;

struct PixelBox {
  int left = 0;
  int top = 0;
  int right = 0;  // exclusive
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const PixelBox&) const = default;
};

class KeyBarGeometry {
 public:
  // The geometry for a window at `pixels_per_inch` (anything below 1 counts
  // as 96), scaled or at the design's pixel sizes.
  static KeyBarGeometry For(int pixels_per_inch, bool scale_with_display);

  int PixelsPerInch() const { return pixels_per_inch_; }
  bool Scaled() const { return scaled_; }

  // A design coordinate (pixels of the 96-dpi design) in window pixels.
  int Scale(int design) const;
  // A design rectangle in window pixels: its edges scaled, not its size, so
  // neighbouring shapes meet as they do in the design.
  PixelBox Box(int left, int top, int width, int height) const;

  int PictureWidth() const { return Scale(kPictureWidth); }
  int PictureHeight() const { return Scale(kPictureHeight); }
  PixelBox Label(int index) const;
  // The label under a client-area point, or -1.
  int LabelAt(int x, int y) const;

  int FontPoints() const { return font_points_; }
  // The label font's character height in pixels (CreateFont takes it negated).
  int FontPixelHeight() const;
  // The popup mark: a right triangle in a label's top-left corner whose
  // first row and first column are this many pixels long.
  int PopupMarkSize() const { return Scale(kDesignMarkSize); }

 private:
  static constexpr int kDesignMarkSize = 6;

  int pixels_per_inch_ = kDesignPixelsPerInch;
  bool scaled_ = false;
  int font_points_ = 12;
};

// What the key bar's frame adds above its picture, in pixels at the window's
// resolution.
struct FrameMetrics {
  int menu_line = 0;  // one line of the menu bar (SM_CYMENU)
  int size_box = 0;   // the caption's buttons (SM_CYSIZE)
  int menu_bar = 0;   // the menu bar as measured on the window; 0: not measured
};

struct PixelSize {
  int width = 0;
  int height = 0;
  bool operator==(const PixelSize&) const = default;
};

// The key bar's fixed outer size: as wide as the picture, and as high as the
// picture plus 5, one menu line and the caption's buttons. A menu bar that
// wrapped onto further lines adds what it measures beyond its first line.
PixelSize KeyBarOuterSize(const KeyBarGeometry& geometry, const FrameMetrics& frame);

}  // namespace keylark::app
