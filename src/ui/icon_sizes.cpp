#include "ui/icon_sizes.h"

#include <array>
#include <cstdlib>

namespace keylark::ui {
namespace {

// The sizes the program's icon files carry.
constexpr std::array<int, 10> kSteps = {16, 20, 24, 32, 40, 48, 64, 96, 128, 256};

}  // namespace

int IconSizeFor(int design_size, int pixels_per_inch) {
  if (pixels_per_inch <= 0) pixels_per_inch = kDesignPixelsPerInch;
  // In whole pixels, rounded: 16 at 168 pixels per inch is 28.
  const long long scaled =
      (static_cast<long long>(design_size) * pixels_per_inch + kDesignPixelsPerInch / 2) /
      kDesignPixelsPerInch;
  int best = kSteps.front();
  for (const int step : kSteps) {
    if (step < design_size) continue;
    if (best < design_size || std::llabs(step - scaled) <= std::llabs(best - scaled)) best = step;
  }
  return best < design_size ? design_size : best;
}

}  // namespace keylark::ui
