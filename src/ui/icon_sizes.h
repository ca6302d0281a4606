// The size a window shows its icons at: a small icon is 16 pixels at 96
// pixels per inch and a large one 32, both growing with the window's scale.
// The program's pictures are drawn for a few sizes only, so a size is taken
// from those steps rather than stretched to an odd one.
#pragma once

#include "ui/design_scale.h"

namespace keylark::ui {

// An icon of `design_size` pixels at 96 pixels per inch, at `pixels_per_inch`:
// the step nearest to its scaled size (the larger of two equally near), never
// smaller than the design size. A scale that cannot be known counts as 96.
int IconSizeFor(int design_size, int pixels_per_inch);

// 16, 20, 24 and 32 pixels at 96, 120, 144 and 192 pixels per inch.
inline int SmallIconSizeFor(int pixels_per_inch) { return IconSizeFor(16, pixels_per_inch); }
// 32, 40, 48 and 64 pixels at the same scales.
inline int LargeIconSizeFor(int pixels_per_inch) { return IconSizeFor(32, pixels_per_inch); }

}  // namespace keylark::ui
