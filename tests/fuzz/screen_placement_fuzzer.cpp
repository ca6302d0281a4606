// Where a restored window goes, for any window, monitors and work area.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/screen_placement.h"

namespace {

// Rectangles of at most a few thousand pixels each way, anywhere near the screen.
keylark::app::PixelRect RectFrom(const std::uint8_t* p) {
  std::int16_t v[4];
  std::memcpy(v, p, sizeof v);
  const long left = v[0] % 20000, top = v[1] % 20000;
  return {left, top, left + std::labs(v[2] % 4000), top + std::labs(v[3] % 4000)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace keylark::app;
  if (size < 16) return 0;
  const PixelRect window = RectFrom(data);
  const PixelRect work = RectFrom(data + 8);
  std::vector<PixelRect> monitors;
  for (std::size_t at = 16; at + 8 <= size && monitors.size() < 8; at += 8) {
    monitors.push_back(RectFrom(data + at));
  }
  const PixelPoint corner = KeepOnScreen(window, monitors, work);
  const bool moved = corner.x != window.left || corner.y != window.top;
  const long width = window.right - window.left, height = window.bottom - window.top;
  if (moved) {
    // Inside the work area, or at its top-left corner when it does not fit.
    if (corner.x < work.left || corner.y < work.top) std::abort();
    if (width <= work.right - work.left && corner.x + width > work.right) std::abort();
    if (height <= work.bottom - work.top && corner.y + height > work.bottom) std::abort();
  }
  // Once placed, it stays where it is.
  const PixelRect placed{corner.x, corner.y, corner.x + width, corner.y + height};
  const std::vector<PixelRect> work_only{work};
  const PixelPoint again = KeepOnScreen(placed, work_only, work);
  if (moved && width <= work.right - work.left && height <= work.bottom - work.top &&
      (again.x != corner.x || again.y != corner.y))
    std::abort();
  return 0;
}
