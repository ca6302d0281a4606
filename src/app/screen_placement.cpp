#include "app/screen_placement.h"

#include <algorithm>
#include <cmath>

namespace keylark::app {
namespace {

// Far beyond any desktop, yet room to add a window's size without overflow.
constexpr double kFarthestPixel = 1.0e7;

long long Area(const PixelRect& r) {
  if (r.right <= r.left || r.bottom <= r.top) return 0;
  return static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
}

PixelRect Intersection(const PixelRect& a, const PixelRect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

// The corner that puts [start, start + size) inside [low, high), or low when
// it does not fit.
long Inside(long start, long size, long low, long high) {
  return std::max(low, std::min(start, high - size));
}

}  // namespace

long TwipsToPixels(double twips, double twips_per_pixel) {
  if (!(twips_per_pixel > 0)) return 0;
  const double pixels = std::round(twips / twips_per_pixel);
  if (!(pixels > -kFarthestPixel)) return static_cast<long>(-kFarthestPixel);
  if (!(pixels < kFarthestPixel)) return static_cast<long>(kFarthestPixel);
  return static_cast<long>(pixels);
}

PixelPoint KeepOnScreen(const PixelRect& window, std::span<const PixelRect> monitors,
                        const PixelRect& nearest_work_area) {
  long long visible = 0;
  for (const PixelRect& monitor : monitors) visible += Area(Intersection(window, monitor));
  if (visible * 2 >= Area(window)) return {window.left, window.top};
  const PixelRect& work = nearest_work_area;
  return {Inside(window.left, window.right - window.left, work.left, work.right),
          Inside(window.top, window.bottom - window.top, work.top, work.bottom)};
}

}  // namespace keylark::app
