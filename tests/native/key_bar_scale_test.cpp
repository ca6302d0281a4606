// The key bar at every display scale: "Scale With Display" off keeps the
// design's pixels (only the font follows the resolution), on scales them all;
// the picture is drawn to match.
#include "app/key_bar_geometry.h"

#include <gtest/gtest.h>

#include "app/keyboard_picture.h"

namespace keylark::app {
namespace {

TEST(KeyBarGeometryTable, LabelsFontPictureHitsAndSizeFollowTheScaleOnlyWhenAskedTo) {
  const struct {
    int dpi;
    bool scaled;
    PixelSize picture;
    PixelBox z;  // label "Z", design 38, 123, 24 x 24
    int font_pixels, mark;
  } rows[] = {
      {96, false, {318, 160}, {38, 123, 62, 147}, 16, 6},
      {120, false, {318, 160}, {38, 123, 62, 147}, 17, 6},  // 10 points
      {144, false, {318, 160}, {38, 123, 62, 147}, 16, 6},  // 8 points
      {192, false, {318, 160}, {38, 123, 62, 147}, 16, 6},  // 6 points
      {96, true, {318, 160}, {38, 123, 62, 147}, 16, 6},
      {120, true, {398, 200}, {48, 154, 78, 184}, 20, 8},
      {144, true, {477, 240}, {57, 185, 93, 221}, 24, 9},
      {192, true, {636, 320}, {76, 246, 124, 294}, 32, 12},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.dpi) + (row.scaled ? " scaled" : ""));
    const KeyBarGeometry g = KeyBarGeometry::For(row.dpi, row.scaled);
    EXPECT_EQ((PixelSize{g.PictureWidth(), g.PictureHeight()}), row.picture);
    EXPECT_EQ(g.Label(23), row.z);
    EXPECT_EQ(g.FontPixelHeight(), row.font_pixels);
    EXPECT_EQ(g.PopupMarkSize(), row.mark);
    for (int i = 0; i < core::kKeyCount; ++i) {
      const PixelBox box = g.Label(i);
      EXPECT_EQ(g.LabelAt((box.left + box.right) / 2, (box.top + box.bottom) / 2), i) << i;
    }
    // The top-left pixel of "1" at design size lies off every scaled label.
    EXPECT_EQ(g.LabelAt(13, 45), row.scaled && row.dpi > 96 ? -1 : 0);
    // Drawn at the same scale: the dark cap fills label "Z" edge to edge.
    const KeyboardPicture picture = DrawKeyboard(g);
    ASSERT_EQ(picture.width, row.picture.width);
    int caps = 0;
    for (int y = row.z.top - 1; y <= row.z.bottom; ++y) {
      for (int x = row.z.left - 1; x <= row.z.right; ++x)
        caps += picture.At(x, y) == kFnKeyCapColor;
    }
    EXPECT_EQ(caps, row.z.Width() * row.z.Height());
  }
  // 19 pixels a menu line, 18 for the caption's buttons: a bar measured at
  // one line (with its border) adds nothing, one wrapped onto two its second.
  const KeyBarGeometry design = KeyBarGeometry::For(96, false);
  EXPECT_EQ(KeyBarOuterSize(design, {19, 18, 20}), (PixelSize{318, 202}));
  EXPECT_EQ(KeyBarOuterSize(design, {19, 18, 39}), (PixelSize{318, 222}));
}

}  // namespace
}  // namespace keylark::app
