// Geometry of the key bar: the keyboard picture and where the 24 labels sit.
#pragma once

#include <array>

#include "core/key_table.h"

namespace keylark::app {

inline constexpr int kPictureWidth = 318;
inline constexpr int kPictureHeight = 160;
inline constexpr int kLabelSize = 24;

struct LabelPosition {
  int left;
  int top;
};

// Client-area pixels of each label's top-left corner, by key index, in the
// 96-dpi design (key_bar_geometry.h gives them at a window's resolution).
inline constexpr std::array<LabelPosition, core::kKeyCount> kLabelPositions = {{
    {13, 45},  {40, 45},   {65, 45},   {91, 45},  {117, 45}, {143, 45},  // 1-6
    {28, 96},  {142, 123}, {90, 123},  {80, 97},  {72, 71},  {106, 97},  // A B C D E F
    {132, 97}, {158, 97},  {168, 123}, {20, 71},  {98, 71},  {54, 97},   // G H N Q R S
    {124, 71}, {116, 123}, {46, 71},   {64, 123}, {152, 71}, {38, 123},  // T V W X Y Z
}};

}  // namespace keylark::app
