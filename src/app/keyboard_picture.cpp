#include "app/keyboard_picture.h"

#include <algorithm>

#include "app/key_bar_layout.h"

namespace keylark::app {
namespace {

constexpr PictureColor kOtherKeyCap = 0x9698B8;  // RGB(150, 152, 184)
constexpr PictureColor kHighlight = 0xB2B4CE;    // RGB(178, 180, 206)
constexpr PictureColor kShadow = 0x4E4D70;       // RGB(78, 77, 112)
constexpr PictureColor kFnKeyAccent = 0x00A8C8;  // RGB(0, 168, 200)

// Shapes are given in design pixels and filled at the geometry's scale.
class Canvas {
 public:
  explicit Canvas(const KeyBarGeometry& geometry) : geometry_(geometry) {
    picture_.width = geometry.PictureWidth();
    picture_.height = geometry.PictureHeight();
    picture_.pixels.assign(
        static_cast<std::size_t>(picture_.width) * static_cast<std::size_t>(picture_.height),
        kPictureBackground);
  }
  // Caps partly outside the picture are cut at its edges.
  void Fill(int left, int top, int width, int height, PictureColor colour) {
    const PixelBox box = geometry_.Box(left, top, width, height);
    for (int y = std::max(box.top, 0); y < std::min(box.bottom, picture_.height); ++y) {
      for (int x = std::max(box.left, 0); x < std::min(box.right, picture_.width); ++x) {
        picture_.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture_.width) +
                        static_cast<std::size_t>(x)] = colour;
      }
    }
  }
  KeyboardPicture Take() { return std::move(picture_); }

 private:
  const KeyBarGeometry& geometry_;
  KeyboardPicture picture_;
};

struct Cap {
  int left;
  int top;
  PictureColor colour;
};

// The keys around the 24 that Keylark uses, in the same rows.
std::vector<Cap> OtherCaps() {
  std::vector<Cap> caps;
  const auto row = [&caps](int first_left, int top, int count, int step) {
    for (int i = 0; i < count; ++i) caps.push_back({first_left + i * step, top, kOtherKeyCap});
  };
  row(-13, 45, 1, 26);                       // the key left of 1
  row(169, 45, 6, 26);                       // 7 8 9 0 - =
  row(-6, 71, 1, 26);                        // Tab
  row(178, 71, 6, 26);                       // U I O P [ ]
  row(2, 96, 1, 26);                         // Caps Lock
  row(184, 96, 5, 26);                       // J K L ; '
  row(12, 123, 1, 26);                       // Shift
  row(194, 123, 5, 26);                      // M , . / Shift
  row(-10, 11, 13, 26);                      // function keys
  caps.push_back({-14, 150, kOtherKeyCap});  // Ctrl
  caps.push_back({38, 150, kOtherKeyCap});   // Windows
  caps.push_back({64, 150, kOtherKeyCap});   // Alt
  caps.push_back({12, 150, kFnKeyAccent});   // Fn, the key held with all of them
  return caps;
}

// A cap's bevel: light above and left, dark below and right.
void DrawBevel(Canvas& canvas, const Cap& cap) {
  constexpr int size = kLabelSize;
  canvas.Fill(cap.left - 1, cap.top - 1, size + 1, 1, kHighlight);
  canvas.Fill(cap.left - 1, cap.top - 1, 1, size + 1, kHighlight);
  canvas.Fill(cap.left, cap.top + size, size + 1, 1, kShadow);
  canvas.Fill(cap.left + size, cap.top, 1, size + 1, kShadow);
}

}  // namespace

KeyboardPicture DrawKeyboard(const KeyBarGeometry& geometry) {
  Canvas canvas(geometry);
  std::vector<Cap> caps = OtherCaps();
  for (const LabelPosition& p : kLabelPositions) caps.push_back({p.left, p.top, kFnKeyCapColor});
  for (const Cap& cap : caps) DrawBevel(canvas, cap);
  // The space bar, wide and half out of the picture.
  canvas.Fill(89, 150, 150, 1, kHighlight);
  canvas.Fill(90, 151, 148, 9, kOtherKeyCap);
  for (const Cap& cap : caps) canvas.Fill(cap.left, cap.top, kLabelSize, kLabelSize, cap.colour);
  return canvas.Take();
}

}  // namespace keylark::app
