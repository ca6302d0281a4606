// The sizes icons are shown at, by the scale of their window.
#include <gtest/gtest.h>

#include "ui/icon_sizes.h"

namespace keylark::ui {
namespace {

TEST(IconSizes, FollowTheScaleInTheStepsThePicturesAreDrawnFor) {
  const struct {
    int pixels_per_inch, small, large;
  } cases[] = {
      {96, 16, 32},  {120, 20, 40}, {144, 24, 48},  {192, 32, 64},
      {0, 16, 32},   {-5, 16, 32},  {72, 16, 32},   // unknown or below the design scale
      {104, 16, 32}, {108, 20, 40}, {168, 32, 64},  // between steps: the nearer, else the larger
      {240, 40, 96}, {288, 48, 96}, {384, 64, 128}, {2000, 256, 256},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SmallIconSizeFor(c.pixels_per_inch), c.small) << c.pixels_per_inch;
    EXPECT_EQ(LargeIconSizeFor(c.pixels_per_inch), c.large) << c.pixels_per_inch;
  }
}

}  // namespace
}  // namespace keylark::ui
