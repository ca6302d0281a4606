// Where the key bar may stand on the screen: a restored key bar that would be
// (mostly) outside every monitor, say because the monitor it was on is no
// longer connected, comes back inside the nearest one.
#pragma once

#include <span>

namespace keylark::app {

struct PixelRect {
  long left = 0;
  long top = 0;
  long right = 0;
  long bottom = 0;
};

struct PixelPoint {
  long x = 0;
  long y = 0;
};

// A position in twips as whole pixels, held to a range every window call can
// take whatever number the store held.
long TwipsToPixels(double twips, double twips_per_pixel);

// The window's top-left corner: unchanged while at least half of the window
// lies on the monitors; otherwise inside the nearest monitor's work area (at
// its top-left corner when the window is larger than the work area).
PixelPoint KeepOnScreen(const PixelRect& window, std::span<const PixelRect> monitors,
                        const PixelRect& nearest_work_area);

}  // namespace keylark::app
