#include "app/key_bar_geometry.h"

#include <cstdint>

#include "app/startup.h"

namespace keylark::app {
namespace {

constexpr int kDesignFontPoints = 12;
constexpr int kPointsPerInch = 72;

// value * numerator / denominator, rounded half away from zero (as MulDiv).
int MulDivRounded(int value, int numerator, int denominator) {
  const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
  const std::int64_t half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator
                                       : -((-product + half) / denominator));
}

}  // namespace

KeyBarGeometry KeyBarGeometry::For(int pixels_per_inch, bool scale_with_display) {
  KeyBarGeometry geometry;
  geometry.pixels_per_inch_ = pixels_per_inch > 0 ? pixels_per_inch : kDesignPixelsPerInch;
  geometry.scaled_ = scale_with_display;
  // Scaled, the labels grow with the display and keep the design's 12 points;
  // at design size the font shrinks on larger settings to fit the caps.
  geometry.font_points_ =
      scale_with_display ? kDesignFontPoints : LabelFontSize(geometry.pixels_per_inch_);
  return geometry;
}

int KeyBarGeometry::Scale(int design) const {
  return scaled_ ? MulDivRounded(design, pixels_per_inch_, kDesignPixelsPerInch) : design;
}

PixelBox KeyBarGeometry::Box(int left, int top, int width, int height) const {
  return {Scale(left), Scale(top), Scale(left + width), Scale(top + height)};
}

PixelBox KeyBarGeometry::Label(int index) const {
  const LabelPosition& p = kLabelPositions[static_cast<std::size_t>(index)];
  return Box(p.left, p.top, kLabelSize, kLabelSize);
}

int KeyBarGeometry::LabelAt(int x, int y) const {
  for (int i = 0; i < core::kKeyCount; ++i) {
    if (Label(i).Holds(x, y)) return i;
  }
  return -1;
}

int KeyBarGeometry::FontPixelHeight() const {
  return MulDivRounded(font_points_, pixels_per_inch_, kPointsPerInch);
}

PixelSize KeyBarOuterSize(const KeyBarGeometry& geometry, const FrameMetrics& frame) {
  // A bar measured at about a line and a half or more has wrapped; a pixel or
  // two more than SM_CYMENU is its one line with its border.
  const int beyond_first_line = frame.menu_bar - frame.menu_line;
  const int wrapped = beyond_first_line * 2 >= frame.menu_line ? beyond_first_line : 0;
  return {geometry.PictureWidth(),
          geometry.PictureHeight() + 5 + frame.menu_line + frame.size_box + wrapped};
}

}  // namespace keylark::app
